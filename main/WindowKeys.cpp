#include "main/WindowKeys.h"

#include "main/TFindBar.h"
#include "main/UWrenfoldMain.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>

namespace Wrenfold {

namespace {

QAction* KeyAction(TForm29& AForm, const QString& AName, const QString& ACaption, const QKeySequence& AKey) {
    auto* action = new QAction(ACaption, &AForm);
    action->setObjectName(AName);
    action->setShortcut(AKey);
    AForm.addAction(action);
    return action;
}

} // namespace

QKeySequence SaveKey() {
    return QKeySequence(Qt::CTRL | Qt::Key_S);
}

QKeySequence HelpKey() {
    return QKeySequence(Qt::Key_F1);
}

QString HintWithKey(const QString& AHint, const QKeySequence& AKey) {
    if (AKey.isEmpty()) return AHint;
    const QString key = AKey.toString(QKeySequence::NativeText);
    return AHint.isEmpty() ? key : QStringLiteral("%1 (%2)").arg(AHint, key);
}

void AddWindowKeys(TForm29& AForm) {
    TForm29* form = &AForm;
    QTabWidget* pages = AForm.PageControl;
    TFindBar* findBar = AForm.FindBar;

    // Save saves what the tab in front shows: the project or the template.
    AForm.actSave = KeyAction(AForm, QStringLiteral("actSave"), QStringLiteral("Save"), SaveKey());
    QObject::connect(AForm.actSave, &QAction::triggered, form, [form, pages] {
        if (pages->currentIndex() == int(TDocumentTab::Project)) form->actSaveProject->trigger();
        if (pages->currentIndex() == int(TDocumentTab::Input)) form->actSaveInput->trigger();
    });

    AForm.actHelp = KeyAction(AForm, QStringLiteral("actHelp"), QStringLiteral("Help"), HelpKey());
    QObject::connect(AForm.actHelp, &QAction::triggered, AForm.btnHelp, &QPushButton::click);

    AForm.actNextTab = KeyAction(AForm, QStringLiteral("actNextTab"), QStringLiteral("Next Tab"),
                                 QKeySequence(Qt::CTRL | Qt::Key_Tab));
    QObject::connect(AForm.actNextTab, &QAction::triggered, pages,
                     [pages] { pages->setCurrentIndex((pages->currentIndex() + 1) % pages->count()); });
    // Shift turns Tab into Backtab; both spellings of the key are bound.
    AForm.actPreviousTab =
        KeyAction(AForm, QStringLiteral("actPreviousTab"), QStringLiteral("Previous Tab"), {});
    AForm.actPreviousTab->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
    QObject::connect(AForm.actPreviousTab, &QAction::triggered, pages, [pages] {
        pages->setCurrentIndex((pages->currentIndex() + pages->count() - 1) % pages->count());
    });

    AForm.actFind = KeyAction(AForm, QStringLiteral("actFind"), QStringLiteral("Find"), QKeySequence::Find);
    QObject::connect(AForm.actFind, &QAction::triggered, findBar, &TFindBar::OpenFind);
    AForm.actFindNext =
        KeyAction(AForm, QStringLiteral("actFindNext"), QStringLiteral("Find Next"), Qt::Key_F3);
    QObject::connect(AForm.actFindNext, &QAction::triggered, findBar, &TFindBar::FindNext);
    AForm.actFindPrevious = KeyAction(AForm, QStringLiteral("actFindPrevious"),
                                      QStringLiteral("Find Previous"), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    QObject::connect(AForm.actFindPrevious, &QAction::triggered, findBar, &TFindBar::FindPrevious);
    AForm.actReplace = KeyAction(AForm, QStringLiteral("actReplace"), QStringLiteral("Replace"),
                                 QKeySequence(Qt::CTRL | Qt::Key_H));
    QObject::connect(AForm.actReplace, &QAction::triggered, findBar, &TFindBar::OpenReplace);
}

} // namespace Wrenfold
