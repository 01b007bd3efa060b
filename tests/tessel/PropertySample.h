// An object with one published property of each kind, for the property access and alias tests.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class TPropertySample : public QObject {
    Q_OBJECT
    Q_CLASSINFO("Range.Percent", "0..100")
public:
    enum TColour { clRed, clGreen, clBlue };
    Q_ENUM(TColour)
    enum TStyle { fsBold = 1, fsItalic = 2, fsBoldItalic = 3, fsUnderline = 4 }; // one key of two bits
    Q_DECLARE_FLAGS(TStyles, TStyle)
    Q_FLAG(TStyles)

    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(int Percent MEMBER Percent)
    Q_PROPERTY(char Initial MEMBER Initial)
    Q_PROPERTY(QChar Letter MEMBER Letter)
    Q_PROPERTY(bool Enabled MEMBER Enabled)
    Q_PROPERTY(TColour Colour MEMBER Colour)
    Q_PROPERTY(double Level MEMBER Level)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_PROPERTY(QByteArray Tag MEMBER Tag)
    Q_PROPERTY(TStyles Styles READ GetStyles WRITE SetStyles)
    Q_PROPERTY(QObject* Owner MEMBER Owner)
    Q_PROPERTY(std::function<void()> OnChange READ GetOnChange WRITE SetOnChange)
    Q_PROPERTY(QVariant Data MEMBER Data)
    Q_PROPERTY(qint64 Total MEMBER Total)
    Q_PROPERTY(QString Fixed READ GetFixed)
    Q_PROPERTY(QStringList Lines MEMBER Lines)

public:
    int Count = 0;
    int Percent = 0;
    char Initial = 'A';
    QChar Letter = u'B';
    bool Enabled = false;
    TColour Colour = clRed;
    double Level = 0;
    QString Caption;
    QByteArray Tag;
    TStyles Styles;
    QObject* Owner = nullptr;
    std::function<void()> OnChange;
    QVariant Data;
    qint64 Total = 0;
    QStringList Lines;

    std::function<void()> GetOnChange() const { return OnChange; }
    void SetOnChange(const std::function<void()>& AValue) { OnChange = AValue; }
    TStyles GetStyles() const { return Styles; }
    void SetStyles(TStyles AValue) { Styles = AValue; }
    QString GetFixed() const { return QStringLiteral("fixed"); }
};
