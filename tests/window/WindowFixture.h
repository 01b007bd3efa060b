// A TForm29 driven offscreen with scripted prompts, over project folders made in a temporary folder.
#pragma once

#include "editor/TSynEditor.h"
#include "main/TBatchListView.h"
#include "main/UWrenfoldMain.h"
#include "support/FileHelpers.h"
#include "support/PrintTo.h"
#include "support/TScratchDir.h"
#include "window/TScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace Wrenfold {

struct WindowFixture : ::testing::Test {
    TScratchDir Dir;
    TScriptedPrompter Prompter;
    std::unique_ptr<TForm29> Form;

    // A project App in folder AFolder whose template holds one marker.
    static constexpr const char* AppProject = "[General]\nInputName=App\n\n[Replace]\nName=Hello\n";
    static constexpr const char* AppTemplate = "<Project>\n  <Name>$P(Name)</Name>\n</Project>\n";

    ~WindowFixture() override {
        // Leaves without the close query.
        if (Form) Form->hide();
    }

    QString Path(const QString& ARelative) const { return QDir::cleanPath(Dir.FilePath(ARelative)); }

    QString Write(const QString& ARelative, const QByteArray& AContent) {
        return WriteTestBytes(Path(ARelative), AContent);
    }

    static QByteArray Read(const QString& APath) { return ReadTestBytes(APath, "<missing>"); }

    QString WriteAppProject(const QString& AFolder = QStringLiteral("P")) {
        Write(AFolder + QStringLiteral("/App.wfmInput"), AppTemplate);
        return Write(AFolder + QStringLiteral("/App.wfmconfig"), AppProject);
    }

    // The window's settings file: in the temporary folder, shared by the windows of one test.
    QString SettingsPath() const { return Path(QStringLiteral("settings/Wrenfold.ini")); }

    void Show(const QStringList& AArguments = {QStringLiteral("wrenfold")}) {
        Form.reset();
        Form = std::make_unique<TForm29>(&Prompter, AArguments,
                                         std::make_unique<QSettings>(SettingsPath(), QSettings::IniFormat));
        Form->show();
    }

    // Opens a project through the Open button and the scripted open dialog.
    void OpenProject(const QString& APath, bool AReadOnly = false) {
        Prompter.Choices.append(TScriptedPrompter::TChoice{APath, AReadOnly});
        Click("btnOpenProject");
    }

    QAbstractButton* Button(const char* AName) const {
        auto* button = Form->findChild<QAbstractButton*>(QLatin1String(AName));
        EXPECT_NE(nullptr, button) << AName;
        return button;
    }

    void Click(const char* AName) {
        if (QAbstractButton* button = Button(AName)) button->click();
        Form->UpdateActions();
    }

    // Makes the window the active one, so that its keys reach it as the user's would.
    void Activate() {
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }

    // Presses a key in the widget that has the focus, then lets the window refresh as when idle.
    void Press(QKeyCombination AKey) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Form.get();
        QTest::keyClick(target, AKey.key(), AKey.keyboardModifiers());
        Form->UpdateActions();
    }

    // Lets the event loop run and go idle, as between two of the user's actions.
    static void Idle() {
        QEventLoop loop;
        QTimer::singleShot(80, &loop, &QEventLoop::quit);
        loop.exec();
    }

    void TypeInto(TSynEditor* AEditor, const QString& AText, int ALine = 0) {
        AEditor->setCursorPosition(ALine, 0);
        for (const QChar c : AText) {
            if (c == u'\n')
                QTest::keyClick(AEditor, Qt::Key_Return);
            else
                QTest::keyClicks(AEditor, QString(c));
        }
        Form->UpdateActions(); // the window goes idle after typing
    }

    QStringList LogLines() const { return Form->Engine().synLog.Lines(); }
    QString TabCaption(TDocumentTab ATab) const { return Form->PageControl->tabText(int(ATab)); }
};

} // namespace Wrenfold
