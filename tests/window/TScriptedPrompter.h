// A prompter for window tests: answers questions and file dialogs from a script and records every box.
#pragma once

#include "main/IWrenfoldPrompter.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace Wrenfold {

class TScriptedPrompter : public IWrenfoldPrompter {
public:
    struct TBox {
        TMessageKind Kind;
        QString Caption, Text;
    };
    // A dialog's answer: the path chosen (and the read-only box), or nothing for Cancel.
    struct TChoice {
        QString FileName;
        bool ReadOnly = false;
    };

    QStringList Questions;
    QStringList DefaultNoQuestions; // those of them asked with No as the default
    QList<bool> Answers;            // consumed in order; a question beyond them fails the test
    QList<TBox> Boxes;
    QList<std::optional<TChoice>> Choices; // consumed in order, like the answers
    QList<TFileDialog> DialogsShown;       // each as it was when shown
    QStringList Documents;
    std::function<void(const TBox&)> OnMessage;
    std::function<void(const QString&)> OnDocument;
    bool OpensDocuments = true; // false: the desktop has no program for the file

    bool AskYesNo(const QString& AText) override {
        Questions.append(AText);
        if (Answers.isEmpty()) {
            ADD_FAILURE() << "unexpected question: " << AText.toStdString();
            return false;
        }
        return Answers.takeFirst();
    }

    bool AskYesNoDefaultNo(const QString& AText) override {
        DefaultNoQuestions.append(AText);
        return AskYesNo(AText);
    }

    void ShowMessage(TMessageKind AKind, const QString& ACaption, const QString& AText) override {
        Boxes.append({AKind, ACaption, AText});
        if (OnMessage) OnMessage(Boxes.last());
    }

    bool Execute(TFileDialog& ADialog) override {
        DialogsShown.append(ADialog);
        if (Choices.isEmpty()) {
            ADD_FAILURE() << "unexpected file dialog: " << ADialog.Title.toStdString();
            return false;
        }
        const std::optional<TChoice> choice = Choices.takeFirst();
        if (!choice) return false;
        ADialog.FileName = choice->FileName;
        ADialog.ReadOnlyChecked = choice->ReadOnly;
        return true;
    }

    bool OpenDocument(const QString& AFileName) override {
        Documents.append(AFileName);
        if (OnDocument) OnDocument(AFileName);
        return OpensDocuments;
    }

    QStringList BoxTexts() const {
        QStringList texts;
        for (const TBox& box : Boxes)
            texts.append(box.Text);
        return texts;
    }
};

} // namespace Wrenfold
