// Non-printing tags: the reversible encoding of a text decodes to the text, the display form shows
// no control character that was not allowed, and decoding any text either succeeds or raises the
// library's error.
#include "FuzzSupport.h"

#include "Tessel/UKestDefs.h"
#include "Tessel/UKestLibrary/NonPrintingTags.h"

using namespace Tessel;

using WrenfoldFuzz::Escaped;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    QString input;
    if (!WrenfoldFuzz::TextOf(WrenfoldFuzz::BytesOf(AData, ASize), input)) return 0;
    // The text comes before the first U+2028 of the input, the allowed characters after it.
    const qsizetype split = input.indexOf(QChar(0x2028));
    const QString text = split < 0 ? input : input.left(split);
    const QString allowed = split < 0 ? QString() : input.mid(split + 1);

    for (const bool display : {false, true}) {
        const QString tagged = StringToNonPrintingTags(text, allowed, display);
        for (const QChar c : tagged)
            FUZZ_CHECK(c.unicode() > 31 || allowed.contains(c),
                       QStringLiteral("control character left in \"%1\"").arg(Escaped(tagged)));
        if (display) continue;
        // A text that holds tags of its own is read as tags: only others come back unchanged.
        if (text.contains(QLatin1String("<!")) || text.contains(QLatin1String("<CR>")) ||
            text.contains(QLatin1String("<CRLF>")))
            continue;
        QString decoded;
        try {
            decoded = NonPrintingTagsToString(tagged);
        } catch (const EKestLibrary& E) {
            WrenfoldFuzz::Fail(__FILE__, __LINE__, "decoding an encoding raised",
                               Escaped(text) + QStringLiteral(" -> ") + Escaped(tagged) + u'\n' +
                                   E.Message());
        }
        FUZZ_CHECK(decoded == text,
                   QStringLiteral("\"%1\" allowing \"%2\" -> \"%3\" -> \"%4\"")
                       .arg(Escaped(text), Escaped(allowed), Escaped(tagged), Escaped(decoded)));
    }
    try {
        NonPrintingTagsToString(input);
    } catch (const EKestLibrary&) {
    }
    return 0;
}
