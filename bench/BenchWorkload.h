// Benchmark workloads: an AllProjects batch folder and single projects with large templates.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace Wrenfold::Bench {

// Names of the workload's files, shared by the generator and the benchmark drivers.
inline constexpr const char* BatchFolderName = "Batch";
inline constexpr const char* DprojFolderName = "Dproj";
inline constexpr const char* SmallProjectName = "Small"; // 0.5 MB template, 1,000 markers
inline constexpr const char* LargeProjectName = "Large"; // 5 MB template, 10,000 markers
inline constexpr const char* VersionsFolderName = "Versions";
inline constexpr const char* VersionsConfigName = "Library.wfmconfig";
inline constexpr int VersionTargets = 15;
inline constexpr int VersionOutputs = 9; // four packages' .dpk and .dproj, and a group project

// The Replace section every workload shares: 60 entries, among them a fresh GUID, the project name
// and a value built from another entry; the rest are plain values of realistic lengths.
std::string ReplaceSection();

// The text of a .dproj-like template (CR LF line breaks, 8-bit text) of about ABytes bytes that holds
// exactly AMarkers "$P(" markers spread evenly over its lines, every tenth marker line holding two.
// The markers name the entries of ReplaceSection in turn.
std::string MakeTemplate(std::size_t ABytes, int AMarkers);

// A folder of AProjects .dpr files sharing one AllProjects.wfmconfig and a 40 KB template with 100
// markers.
void MakeBatchWorkload(const std::filesystem::path& AFolder, int AProjects);

// One project, AName.wfmconfig, whose template AName.wfmInput has about ABytes bytes and AMarkers
// markers.
void MakeDprojWorkload(const std::filesystem::path& AFolder, const std::string& AName, std::size_t ABytes,
                       int AMarkers);

// A package library for many Delphi versions: VersionsConfigName names VersionTargets targets, each
// with values of its own, and VersionOutputs outputs a target (four 40 KB .dproj, four 5 KB .dpk and
// a group project listing the target's projects), made into a folder per target.
void MakeVersionsWorkload(const std::filesystem::path& AFolder);

// Writes a file's bytes; raises std::runtime_error on failure.
void WriteWholeFile(const std::filesystem::path& AFile, const std::string& AText);

} // namespace Wrenfold::Bench
