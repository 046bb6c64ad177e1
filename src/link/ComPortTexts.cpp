#include "link/ComPortTexts.h"

namespace {

QChar UpperAscii(QChar c) { return c >= u'a' && c <= u'z' ? QChar(c.unicode() - u'a' + u'A') : c; }

} // namespace

const QStringList& TComTexts<TBaudRate>::Texts()
{
    static const QStringList texts = {
        QStringLiteral("Custom"), QStringLiteral("110"),    QStringLiteral("300"),    QStringLiteral("600"),
        QStringLiteral("1200"),   QStringLiteral("2400"),   QStringLiteral("4800"),   QStringLiteral("9600"),
        QStringLiteral("14400"),  QStringLiteral("19200"),  QStringLiteral("38400"),  QStringLiteral("56000"),
        QStringLiteral("57600"),  QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("256000"),
    };
    return texts;
}

const QStringList& TComTexts<TStopBits>::Texts()
{
    static const QStringList texts = {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};
    return texts;
}

const QStringList& TComTexts<TDataBits>::Texts()
{
    static const QStringList texts = {QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                                      QStringLiteral("8")};
    return texts;
}

const QStringList& TComTexts<TParityBits>::Texts()
{
    static const QStringList texts = {QStringLiteral("None"), QStringLiteral("Odd"), QStringLiteral("Even"),
                                      QStringLiteral("Mark"), QStringLiteral("Space")};
    return texts;
}

const QStringList& TComTexts<TFlowControl>::Texts()
{
    static const QStringList texts = {QStringLiteral("Hardware"), QStringLiteral("Software"),
                                      QStringLiteral("None"), QStringLiteral("Custom")};
    return texts;
}

bool SameComText(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

qsizetype IndexOfComText(const QStringList& texts, const QString& text)
{
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (SameComText(texts[i], text))
            return i;
    }
    return -1;
}
