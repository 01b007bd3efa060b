// The batch list: the folder's Delphi project files, each with a check mark.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace Wrenfold {

class TBatchList : public QObject {
    Q_OBJECT
public:
    struct TEntry {
        QString Text;
        bool Checked = true;
    };

    explicit TBatchList(QObject* AParent = nullptr) : QObject(AParent) {}

    int Count() const { return int(FEntries.size()); }
    const QString& Text(int AIndex) const { return FEntries.at(AIndex).Text; }
    bool Checked(int AIndex) const { return FEntries.at(AIndex).Checked; }
    void SetChecked(int AIndex, bool AValue);
    void SetAllChecked(bool AValue);
    bool AnyChecked() const;

    void Clear();
    // Replaces every entry at once (one Reset for views), each with its check mark set.
    void SetEntries(const QStringList& ATexts);

signals:
    void Reset(); // entries were added, removed or re-marked in bulk
    void CheckedChanged(int AIndex, bool AChecked);

private:
    QVector<TEntry> FEntries;
};

} // namespace Wrenfold
