#include "main/UWrenfoldMessages.h"

#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Status.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <cstdio>

namespace Wrenfold {

QString ProgramTitle() {
    // Not the executable's name: on this platform that is written in lower case.
    return QStringLiteral("Wrenfold");
}

QString ApplicationErrorText(const QString& AMessage) {
    if (!AMessage.isEmpty() && AMessage.back() > QLatin1Char('.')) return AMessage + QLatin1Char('.');
    return AMessage;
}

std::unique_ptr<QMessageBox> QuestionBoxFor(const QString& AText, QWidget* AParent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("Confirm"), AText,
                                             QMessageBox::NoButton, AParent);
    box->setTextFormat(Qt::PlainText);
    QPushButton* yes = box->addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    return box;
}

std::unique_ptr<QMessageBox> MessageBoxFor(TMessageKind AKind, const QString& ACaption, const QString& AText,
                                           QWidget* AParent) {
    const QMessageBox::Icon icon = AKind == TMessageKind::Error         ? QMessageBox::Critical
                                   : AKind == TMessageKind::Information ? QMessageBox::Information
                                                                        : QMessageBox::NoIcon;
    auto box = std::make_unique<QMessageBox>(icon, ACaption, AText, QMessageBox::Ok, AParent);
    box->setTextFormat(Qt::PlainText);
    return box;
}

void InstallLibraryDialogs() {
    Tessel::MessageDialogProc = [](const QString& AText) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(AText));
            return;
        }
        MessageBoxFor(TMessageKind::Plain, ProgramTitle(), AText, nullptr)->exec();
    };
    Tessel::QuestionBoxProc = [](const QString& AText, const QString& ACaption, bool ADefaultYes) {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
            std::fprintf(stderr, "%s No\n", qUtf8Printable(AText));
            return false;
        }
        // No owner window; Esc and the close button answer No.
        const std::unique_ptr<QMessageBox> box = QuestionBoxFor(AText, nullptr);
        box->setWindowTitle(ACaption);
        QPushButton* yes = box->defaultButton();
        if (!ADefaultYes) box->setDefaultButton(qobject_cast<QPushButton*>(box->escapeButton()));
        box->exec();
        return box->clickedButton() == yes;
    };
    Tessel::BusyCursorProc = [](bool ABusy) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
        // One override of our own, however often the progress changes.
        static bool overridden = false;
        if (ABusy && !overridden)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else if (!ABusy && overridden)
            QGuiApplication::restoreOverrideCursor();
        overridden = ABusy;
    };
}

bool TDialogPrompter::AskYesNo(const QString& AText) {
    const std::unique_ptr<QMessageBox> box = QuestionBoxFor(AText, FParent);
    box->exec();
    return box->clickedButton() == box->defaultButton();
}

bool TDialogPrompter::AskYesNoDefaultNo(const QString& AText) {
    const std::unique_ptr<QMessageBox> box = QuestionBoxFor(AText, FParent);
    QPushButton* yes = box->defaultButton();
    box->setDefaultButton(qobject_cast<QPushButton*>(box->escapeButton()));
    box->exec();
    return box->clickedButton() == yes;
}

void TDialogPrompter::ShowMessage(TMessageKind AKind, const QString& ACaption, const QString& AText) {
    MessageBoxFor(AKind, ACaption, AText, FParent)->exec();
}

bool TDialogPrompter::Execute(TFileDialog& ADialog) {
    QFileDialog dialog(FParent, ADialog.Title);
    // Qt's own dialog, so the open dialog can carry its read-only check box.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(ADialog.Filters);
    dialog.setDefaultSuffix(ADialog.DefaultExt);
    const QString name = QFileInfo(ADialog.FileName).fileName();
    if (!ADialog.InitialDir.isEmpty())
        dialog.setDirectory(ADialog.InitialDir);
    else if (!ADialog.FileName.isEmpty() && QFileInfo(ADialog.FileName).isAbsolute())
        dialog.setDirectory(QFileInfo(ADialog.FileName).absolutePath());
    if (!name.isEmpty()) dialog.selectFile(name);
    QCheckBox* readOnly = nullptr;
    if (ADialog.Kind == TFileDialog::TKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (ADialog.ShowReadOnly) {
            readOnly = new QCheckBox(QStringLiteral("Open as &read-only"), &dialog);
            readOnly->setChecked(ADialog.ReadOnlyChecked);
            if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
                grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
        }
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    ADialog.FileName = dialog.selectedFiles().constFirst();
    ADialog.ReadOnlyChecked = readOnly && readOnly->isChecked();
    return true;
}

bool TDialogPrompter::OpenDocument(const QString& AFileName) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(AFileName));
}

} // namespace Wrenfold
