// A whole run through the engine's disk seam: no real file is touched, and failures of every kind
// reach the one failure path.
#include "EngineFixture.h"

#include "engine/CommandFailure.h"
#include "engine/IProjectDisk.h"

#include <map>
#include <stdexcept>

using namespace Wrenfold;

namespace {

// Files held in memory, by full path.
class TMemoryDisk : public IProjectDisk {
public:
    std::map<QString, QByteArray> Files;

    bool IsExistingFile(const QString& APath) const override { return Files.count(APath) > 0; }
    QStringList ListFiles(const QString& AFolder) const override {
        QStringList names;
        for (const auto& [path, bytes] : Files)
            if (path.startsWith(AFolder + u'/') && !path.mid(AFolder.size() + 1).contains(u'/'))
                names.append(path.mid(AFolder.size() + 1));
        return names;
    }
    QStringList ListFolders(const QString& AFolder) const override {
        QStringList names;
        for (const auto& [path, bytes] : Files)
            if (path.startsWith(AFolder + u'/') && path.mid(AFolder.size() + 1).contains(u'/'))
                if (const QString name = path.mid(AFolder.size() + 1).section(u'/', 0, 0);
                    !names.contains(name))
                    names.append(name);
        return names;
    }
    QByteArray ReadFile(const QString& APath) const override {
        const auto found = Files.find(APath);
        if (found == Files.end()) throw Tessel::Exception("no such file " + APath);
        return found->second;
    }
    void WriteTextFile(const QString& APath, const QStringList& ALines,
                       const Tessel::TTextFormat& AFormat) override {
        Files[APath] = Tessel::EncodeTextLines(ALines, AFormat);
    }
    void CopyFile(const QString& ASource, const QString& ADest) override { Files[ADest] = Files.at(ASource); }
    void DeleteFile(const QString& APath) override {
        if (Files.erase(APath) == 0) throw Tessel::Exception("no such file");
    }
};

} // namespace

TEST(DiskSeam, ARunDoesAllItsFileWorkThroughTheDisk) {
    TMemoryDisk disk;
    disk.Files["/p/App.wfmconfig"] =
        "[General]\nInputName=T\n[Replace]\nBody=$INCLUDE(part.txt)\n"
        "[PreActions]\nFileDelete=old.txt\n[PostActions]\nFileCopy=App.dproj;copy.dproj\n";
    disk.Files["/p/T.wfmInput"] = "<b>$P(Body)</b>\n";
    disk.Files["/p/part.txt"] = "x";
    disk.Files["/p/old.txt"] = "gone soon";
    disk.Files["/p/One.dpr"] = "";
    TScriptedHost host;
    TWrenfoldEngine engine(host, disk);
    engine.LoadProjectFile("/p/App.wfmconfig");
    ASSERT_TRUE(engine.MakeDprojCommand()) << host.Errors.value(0).toStdString();
    EXPECT_EQ(engine.clbFileList.Count(), 1);
    EXPECT_EQ(disk.Files.count("/p/old.txt"), 0u);
    EXPECT_EQ(disk.Files.at("/p/App.dproj"), "<b>x</b>\n");
    EXPECT_EQ(disk.Files.at("/p/copy.dproj"), "<b>x</b>\n");
}

TEST(CommandFailure, EveryKindOfFailureBecomesOneMessage) {
    struct TCase {
        const char* Name;
        std::function<void()> Command;
        QString Message; // empty: the command succeeds, or ends silently
        bool Succeeds = false;
    } cases[] = {
        {"success", [] {}, {}, true},
        {"silent abort", [] { throw Tessel::EAbort(); }, {}},
        {"system exception", [] { throw Tessel::Exception("Input file not found \"x\""); },
         "Input file not found \"x\""},
        {"out of memory", [] { throw std::bad_alloc(); }, "Out of memory"},
        {"other std::exception", [] { throw std::runtime_error("disk on fire"); }, "disk on fire"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QStringList reported;
        EXPECT_EQ(RunReportingFailure(c.Command, [&](const QString& AMessage) { reported.append(AMessage); }),
                  c.Succeeds);
        EXPECT_EQ(reported, c.Message.isEmpty() ? QStringList() : QStringList{c.Message});
    }
}
