// The CLI given files that are no regular files (FIFOs, devices): it fails cleanly and never blocks.
#include "cli/PipelineFixture.h"

#include <QFile>

#include <sys/stat.h>

namespace {

class SpecialFiles : public Pipeline {};

} // namespace

TEST_F(SpecialFiles, AreRefusedAndTouchNoOtherFile) {
    Write("h/victim.txt", "keep me");
    Write("h/T.wfmInput", "<a>$P(A)</a>");
    for (const char* fifo : {"h/fifo", "h/pipe.wfmInput"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(Path(fifo)).constData(), 0644), 0);
    struct TCase {
        const char* Name;
        QByteArray Config;
        QString Error;
    } cases[] = {
        {"FIFO included", "[General]\nInputName=T\n[Replace]\nA=$INCLUDE(fifo)\n",
         "\"" + Path("h/fifo") + "\" is not a regular file"},
        {"FIFO as template", "[General]\nInputName=pipe\n[Replace]\nA=1\n",
         "\"" + Path("h/pipe.wfmInput") + "\" is not a regular file"},
        {"endless file", "[General]\nInputName=T\n[Replace]\nA=$INCLUDE(/dev/zero)\n",
         "\"/dev/zero\" is not a regular file"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Write("h/App.wfmconfig", c.Config);
        const TResult r = Run({"make", Path("h/App.wfmconfig"), "-q"});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_EQ(r.Err, "error: " + c.Error + "\n");
        EXPECT_EQ(Read("h/victim.txt"), "keep me");
        EXPECT_FALSE(QFile::exists(Path("h/App.dproj")));
    }
}
