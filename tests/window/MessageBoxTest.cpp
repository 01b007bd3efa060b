// The window's message boxes: their text shows as written, tags and all.
#include "main/UWrenfoldMessages.h"
#include "window/WindowFixture.h"

#include <QMessageBox>

using namespace Wrenfold;

namespace {

class MessageBox : public WindowFixture {};

} // namespace

TEST_F(MessageBox, AMessageAboutATemplateShowsItsTagsAsWritten) {
    Write(QStringLiteral("P/App.wfmInput"), "<A>$P(A</A>\n");
    const QString project = Write(QStringLiteral("P/App.wfmconfig"), AppProject);
    Show();
    OpenProject(project);
    Click("btnMakeDproj");
    ASSERT_EQ(1, Prompter.Boxes.size());
    const QString text = Prompter.Boxes[0].Text;
    EXPECT_TRUE(text.contains(QStringLiteral("\"<A>$P(A</A>\""))) << text.toStdString();

    // Every kind of box the window shows takes its text as plain text, never as markup.
    std::unique_ptr<QMessageBox> boxes[] = {
        MessageBoxFor(TMessageKind::Error, QStringLiteral("Error"), text, Form.get()),
        MessageBoxFor(TMessageKind::Information, QStringLiteral("Information"), text, Form.get()),
        MessageBoxFor(TMessageKind::Plain, ProgramTitle(), text, Form.get()),
        QuestionBoxFor(text, Form.get()),
    };
    for (const auto& box : boxes) {
        SCOPED_TRACE(box->windowTitle().toStdString());
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(nullptr, label);
        EXPECT_EQ(Qt::PlainText, label->textFormat());
        EXPECT_EQ(text, label->text());
    }
}
