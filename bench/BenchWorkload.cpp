#include "BenchWorkload.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace Wrenfold::Bench {

namespace {

constexpr int ReplaceEntryCount = 60;
constexpr const char* LineBreak = "\r\n";

// Property names a real .dproj carries; the rest of the 60 entries are numbered settings.
const char* const PropertyNames[] = {
    "ProjectGuid",
    "ProjectName",
    "MainSource",
    "FrameworkType",
    "AppType",
    "ProjectVersion",
    "Base",
    "Config",
    "Platform",
    "TargetedPlatforms",
    "DCC_ExeOutput",
    "DCC_DcuOutput",
    "DCC_UnitSearchPath",
    "DCC_Define",
    "DCC_Namespace",
    "VerInfo_MajorVer",
    "VerInfo_MinorVer",
    "VerInfo_Release",
    "VerInfo_Build",
    "VerInfo_Locale",
    "VerInfo_CompanyName",
    "SanitizedProjectName",
    "Icon_MainIcon",
    "Manifest_File",
    "BT_BuildType",
};

std::string EntryName(int AIndex) {
    constexpr int named = int(sizeof(PropertyNames) / sizeof(PropertyNames[0]));
    if (AIndex < named) return PropertyNames[AIndex];
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "Setting%02d", AIndex + 1);
    return buffer;
}

std::string EntryValue(int AIndex) {
    switch (AIndex) {
    case 0:
        return "$GET(RANDOMGUID)";
    case 1:
        return "$GET(PROJECTNAME)";
    case 2:
        return "$REPLACE(ProjectName).dpr";
    default:
        break;
    }
    const std::string n = std::to_string(AIndex + 1);
    switch (AIndex % 4) {
    case 0:
        return "..\\Source\\Module" + n + ";..\\Shared\\Module" + n + ";$(DCC_UnitSearchPath)";
    case 1:
        return n;
    case 2:
        return "DEBUG;TRACE;FEATURE_" + n + ";$(DCC_Define)";
    default:
        return ".\\$(Platform)\\$(Config)\\Module" + n;
    }
}

// Lines of a .dproj that carry no marker, taken in turn between the marker lines.
const char* const FillerLines[] = {
    "        <DCC_E>false</DCC_E>",
    "        <DCC_F>false</DCC_F>",
    "        <DCC_UsePackage>rtl;vcl;vclx;vclimg;dbrtl;vcldb;bindengine;bindcomp;RESTComponents;"
    "$(DCC_UsePackage)</DCC_UsePackage>",
    "        <DCC_S>false</DCC_S>",
    "        <DCC_Namespace>System;Xml;Data;Datasnap;Web;Soap;Vcl;Vcl.Imaging;Vcl.Touch;$(DCC_Namespace)"
    "</DCC_Namespace>",
    "        <DCC_N>false</DCC_N>",
    "        <Icon_MainIcon>$(BDS)\\bin\\delphi_PROJECTICON.ico</Icon_MainIcon>",
    "        <DCC_K>false</DCC_K>",
    "        <Manifest_File>$(BDS)\\bin\\default_app.manifest</Manifest_File>",
    "        <VerInfo_Keys>CompanyName=;FileDescription=$(MSBuildProjectName);FileVersion=1.0.0.0;"
    "InternalName=;LegalCopyright=;OriginalFilename=;ProductVersion=1.0.0.0;Comments=</VerInfo_Keys>",
    "        <VerInfo_IncludeVerInfo>true</VerInfo_IncludeVerInfo>",
    "        <DCC_DebugInformation>0</DCC_DebugInformation>",
    "        <DCC_LocalDebugSymbols>false</DCC_LocalDebugSymbols>",
    "        <DCC_SymbolReferenceInfo>0</DCC_SymbolReferenceInfo>",
    "        <AppDPIAwarenessMode>PerMonitorV2</AppDPIAwarenessMode>",
    "        <UsingDelphiRTL>true</UsingDelphiRTL>",
};
constexpr int FillerCount = int(sizeof(FillerLines) / sizeof(FillerLines[0]));
constexpr int LinesPerGroup = 24; // filler lines between two PropertyGroup headers

const char* const TemplateHeader =
    "<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">\r\n"
    "    <PropertyGroup Condition=\"'$(Base)'!=''\">\r\n";
const char* const TemplateFooter = "    </PropertyGroup>\r\n"
                                   "    <ItemGroup>\r\n"
                                   "        <DelphiCompile Include=\"$(MainSource)\">\r\n"
                                   "            <MainSource>MainSource</MainSource>\r\n"
                                   "        </DelphiCompile>\r\n"
                                   "    </ItemGroup>\r\n"
                                   "</Project>\r\n";

std::string MarkerLine(int AFirstMarker, int AMarkers) {
    const std::string tag = EntryName(AFirstMarker % ReplaceEntryCount);
    std::string line = "        <" + tag + ">$P(" + tag + ")";
    for (int i = 1; i < AMarkers; ++i)
        line += ";$P(" + EntryName((AFirstMarker + i) % ReplaceEntryCount) + ")";
    if (AMarkers > 1) line += ";$(" + tag + ")";
    return line + "</" + tag + ">" + LineBreak;
}

std::string ProjectConfiguration(const std::string& AInputName, const std::string& AComment) {
    return "; " + AComment + LineBreak + "[General]" + LineBreak + "InputName=" + AInputName + LineBreak +
           LineBreak + ReplaceSection();
}

} // namespace

void WriteWholeFile(const std::filesystem::path& AFile, const std::string& AText) {
    std::ofstream out(AFile, std::ios::binary | std::ios::trunc);
    out.write(AText.data(), std::streamsize(AText.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + AFile.string());
}

std::string ReplaceSection() {
    std::string text = std::string("[Replace]") + LineBreak;
    for (int i = 0; i < ReplaceEntryCount; ++i)
        text += EntryName(i) + "=" + EntryValue(i) + LineBreak;
    return text;
}

std::string MakeTemplate(std::size_t ABytes, int AMarkers) {
    // Every tenth marker line holds two markers.
    std::vector<int> markersPerLine;
    for (int placed = 0; placed < AMarkers;) {
        const int count = markersPerLine.size() % 10 == 9 && AMarkers - placed >= 2 ? 2 : 1;
        markersPerLine.push_back(count);
        placed += count;
    }
    std::string text = TemplateHeader;
    text.reserve(ABytes + 4096);
    const std::size_t fixed = text.size() + std::char_traits<char>::length(TemplateFooter);
    const std::size_t body = ABytes > fixed ? ABytes - fixed : 0;
    const std::size_t slots = markersPerLine.size();
    int marker = 0;
    int filler = 0;
    int group = 1;
    for (std::size_t slot = 0; slot < slots; ++slot) {
        text += MarkerLine(marker, markersPerLine[slot]);
        marker += markersPerLine[slot];
        // Filler up to this slot's share of the size; the overshoot of one slot is taken from the next.
        const std::size_t slotEnd =
            std::char_traits<char>::length(TemplateHeader) + body * (slot + 1) / slots;
        while (text.size() < slotEnd) {
            if (filler > 0 && filler % LinesPerGroup == 0) {
                ++group;
                text += std::string("    </PropertyGroup>") + LineBreak +
                        "    <PropertyGroup Condition=\"'$(Cfg_" + std::to_string(group) + ")'!=''\">" +
                        LineBreak;
            }
            text += FillerLines[filler % FillerCount];
            text += LineBreak;
            ++filler;
        }
    }
    text += TemplateFooter;
    return text;
}

void MakeBatchWorkload(const std::filesystem::path& AFolder, int AProjects) {
    std::filesystem::create_directories(AFolder);
    WriteWholeFile(
        AFolder / "AllProjects.wfmconfig",
        ProjectConfiguration("Template", "One configuration shared by every project of the folder."));
    WriteWholeFile(AFolder / "Template.wfmInput", MakeTemplate(40 * 1024, 100));
    for (int i = 1; i <= AProjects; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Project%04d", i);
        WriteWholeFile(AFolder / (std::string(name) + ".dpr"), std::string("program ") + name + ";" +
                                                                   LineBreak + LineBreak + "begin" +
                                                                   LineBreak + "end." + LineBreak);
    }
}

void MakeDprojWorkload(const std::filesystem::path& AFolder, const std::string& AName, std::size_t ABytes,
                       int AMarkers) {
    std::filesystem::create_directories(AFolder);
    WriteWholeFile(AFolder / (AName + ".wfmconfig"),
                   ProjectConfiguration(AName, "A project with a large template."));
    WriteWholeFile(AFolder / (AName + ".wfmInput"), MakeTemplate(ABytes, AMarkers));
}

void MakeVersionsWorkload(const std::filesystem::path& AFolder) {
    std::filesystem::create_directories(AFolder / "Templates");
    std::string config = std::string("; A package library for ") + std::to_string(VersionTargets) +
                         " Delphi versions." + LineBreak + "[Targets]" + LineBreak;
    for (int t = 1; t <= VersionTargets; ++t)
        config += "V" + std::to_string(t) + LineBreak;
    for (int t = 1; t <= VersionTargets; ++t) {
        const std::string suffix = std::to_string(150 + 10 * t);
        config += "[Target:V" + std::to_string(t) + "]" + LineBreak + "ProjectVersion=" + std::to_string(t) +
                  ".0" + LineBreak + "Setting30=" + suffix + LineBreak + "Setting31=DELPHI" + suffix +
                  ";$(DCC_Define)" + LineBreak + "Setting32=..\\Lib\\" + suffix + LineBreak;
    }
    config += std::string("[Outputs]") + LineBreak;
    for (int p = 1; p <= 4; ++p) {
        const std::string package = "Package" + std::to_string(p);
        config += "$GET(TARGET)\\" + package + ".dpk=Templates\\Package.dpk.wfmInput" + LineBreak;
        config += "$GET(TARGET)\\" + package + ".dproj=Templates\\Package.dproj.wfmInput" + LineBreak;
    }
    config += std::string("Library$GET(TARGET).groupproj=Templates\\Library.groupproj.wfmInput") + LineBreak;
    WriteWholeFile(AFolder / VersionsConfigName, config + ReplaceSection());
    WriteWholeFile(AFolder / "Templates" / "Package.dproj.wfmInput", MakeTemplate(40 * 1024, 100));
    WriteWholeFile(AFolder / "Templates" / "Package.dpk.wfmInput", MakeTemplate(5 * 1024, 10));
    std::string group =
        std::string("<Project xmlns=\"http://schemas.microsoft.com/developer/msbuild/2003\">") + LineBreak +
        "    <ItemGroup>" + LineBreak + "$EACH(.dproj)" + LineBreak +
        "        <Projects Include=\"$E(PATH)\">" + LineBreak + "            <Dependencies/>" + LineBreak +
        "        </Projects>" + LineBreak + "$END" + LineBreak + "    </ItemGroup>" + LineBreak +
        "$EACH(.dproj)" + LineBreak + "    <Target Name=\"$E(NAME)\">" + LineBreak +
        "        <MSBuild Projects=\"$E(PATH)\"/>" + LineBreak + "    </Target>" + LineBreak + "$END" +
        LineBreak + "    <Target Name=\"Build\">" + LineBreak +
        "        <CallTarget Targets=\"$EACH(.dproj,;)$E(NAME)$END\"/>" + LineBreak + "    </Target>" +
        LineBreak;
    // Filler up to a real group project's size.
    while (group.size() < 5 * 1024)
        group += std::string("    <!-- ") + std::string(100, '-') + " -->" + LineBreak;
    WriteWholeFile(AFolder / "Templates" / "Library.groupproj.wfmInput", group + "</Project>" + LineBreak);
}

} // namespace Wrenfold::Bench
