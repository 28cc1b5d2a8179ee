// Mandarin readings of numbers and of the question and answer sentences.
#include "speech/chinese_reading.h"

#include <QHash>
#include <QStringList>

namespace zorvel {
namespace {

const QChar kDigitWords[10] = {u'零', u'一', u'二', u'三', u'四', u'五', u'六', u'七', u'八', u'九'};

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// 1..9999; `leading` when nothing stands before it, so 10..19 drop the 一 of 一十.
QString readBelowTenThousand(unsigned value, bool leading)
{
    static const QChar places[4] = {u'千', u'百', u'十', QChar()};
    const unsigned digits[4] = {value / 1000, value / 100 % 10, value / 10 % 10, value % 10};
    QString words;
    bool started = false;
    bool zeroPending = false;
    for (int i = 0; i < 4; ++i) {
        const unsigned d = digits[i];
        if (d == 0) {
            zeroPending = started;
            continue;
        }
        if (zeroPending)
            words += u'零';
        zeroPending = false;
        const bool bareTen = i == 2 && d == 1 && leading && !started;
        if (i == 0 && d == 2)
            words += u'两';
        else if (!bareTen)
            words += kDigitWords[d];
        if (i < 3)
            words += places[i];
        started = true;
    }
    return words;
}

QString readPositive(unsigned long long value, bool leading)
{
    struct Unit {
        unsigned long long size;
        QChar word;
    };
    static const Unit units[] = {{100000000ULL, u'亿'}, {10000ULL, u'万'}};
    for (const Unit& unit : units) {
        if (value < unit.size)
            continue;
        const unsigned long long high = value / unit.size;
        const unsigned long long low = value % unit.size;
        QString words = high == 2 ? QString(u'两') : readPositive(high, leading);
        words += unit.word;
        if (low != 0) {
            if (low < unit.size / 10)
                words += u'零';
            words += readPositive(low, false);
        }
        return words;
    }
    return readBelowTenThousand(static_cast<unsigned>(value), leading);
}

// Length of the number starting at `from`: digits with at most one point,
// and at least one digit; 0 when none starts there.
int numberLength(const QString& text, int from)
{
    int end = from;
    bool point = false;
    bool digit = false;
    while (end < text.size()) {
        const QChar c = text.at(end);
        if (isAsciiDigit(c)) {
            digit = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        ++end;
    }
    return digit ? end - from : 0;
}

struct Syllable {
    QString letters;
    int tone;
};

const QHash<QChar, Syllable>& pinyinTable()
{
    static const QHash<QChar, Syllable> table = {
        {u'零', {QStringLiteral("ling"), 2}}, {u'一', {QStringLiteral("yi"), 1}},
        {u'二', {QStringLiteral("er"), 4}},   {u'两', {QStringLiteral("liang"), 3}},
        {u'三', {QStringLiteral("san"), 1}},  {u'四', {QStringLiteral("si"), 4}},
        {u'五', {QStringLiteral("wu"), 3}},   {u'六', {QStringLiteral("liu"), 4}},
        {u'七', {QStringLiteral("qi"), 1}},   {u'八', {QStringLiteral("ba"), 1}},
        {u'九', {QStringLiteral("jiu"), 3}},  {u'十', {QStringLiteral("shi"), 2}},
        {u'百', {QStringLiteral("bai"), 3}},  {u'千', {QStringLiteral("qian"), 1}},
        {u'万', {QStringLiteral("wan"), 4}},  {u'亿', {QStringLiteral("yi"), 4}},
        {u'点', {QStringLiteral("dian"), 3}}, {u'第', {QStringLiteral("di"), 4}},
        {u'题', {QStringLiteral("ti"), 2}},   {u'加', {QStringLiteral("jia"), 1}},
        {u'减', {QStringLiteral("jian"), 3}}, {u'乘', {QStringLiteral("cheng"), 2}},
        {u'除', {QStringLiteral("chu"), 2}},  {u'以', {QStringLiteral("yi"), 3}},
    };
    return table;
}

// The syllables of a number's words, with the tone changes of connected
// speech: 一 before 百, 千 (and a leading 一 before 万, 亿) takes the fourth
// tone, or the second before a fourth tone; a third tone before another
// third tone becomes a second.
QString pinyinOfNumberWords(const QString& words)
{
    QList<Syllable> syllables;
    for (QChar c : words)
        syllables.append(pinyinTable().value(c));
    for (int i = 0; i + 1 < syllables.size(); ++i) {
        const QChar next = words.at(i + 1);
        const bool multiplier = next == u'百' || next == u'千'
            || (i == 0 && (next == u'万' || next == u'亿'));
        if (words.at(i) == u'一' && multiplier)
            syllables[i].tone = syllables[i + 1].tone == 4 ? 2 : 4;
    }
    for (int i = 0; i + 1 < syllables.size(); ++i) {
        if (syllables[i].tone == 3 && syllables[i + 1].tone == 3)
            syllables[i].tone = 2;
    }
    QString pinyin;
    for (const Syllable& s : syllables)
        pinyin += s.letters + QString::number(s.tone);
    return pinyin;
}

bool isPause(QChar c)
{
    return QStringView(u"，。！？、；：,!?;:").contains(c);
}

} // namespace

QString integerInChinese(unsigned long long value)
{
    return value == 0 ? QStringLiteral("零") : readPositive(value, true);
}

QString numberInChinese(QStringView digits)
{
    const qsizetype point = digits.indexOf(u'.');
    QStringView whole = point < 0 ? digits : digits.left(point);
    const QStringView fraction = point < 0 ? QStringView() : digits.mid(point + 1);
    while (whole.size() > 1 && whole.front() == u'0')
        whole = whole.mid(1);

    QString words;
    if (whole.isEmpty()) {
        words = QStringLiteral("零");
    } else if (whole.size() <= 18) {
        words = integerInChinese(whole.toULongLong());
    } else {
        for (QChar c : whole)
            words += kDigitWords[c.unicode() - u'0'];
    }
    if (!fraction.isEmpty()) {
        words += u'点';
        for (QChar c : fraction)
            words += kDigitWords[c.unicode() - u'0'];
    }
    return words;
}

QString hanziReading(const QString& sentence)
{
    QString reading;
    for (int i = 0; i < sentence.size();) {
        const int length = numberLength(sentence, i);
        if (length > 0) {
            reading += numberInChinese(QStringView(sentence).mid(i, length));
            i += length;
        } else {
            reading += sentence.at(i++);
        }
    }
    return reading;
}

QString pinyinReading(const QString& sentence)
{
    QStringList words;
    bool pauseBefore = false;
    auto addWord = [&](const QString& word) {
        if (pauseBefore && !words.isEmpty())
            words.last() += u',';
        pauseBefore = false;
        words.append(word);
    };
    for (int i = 0; i < sentence.size();) {
        const int length = numberLength(sentence, i);
        if (length > 0) {
            addWord(pinyinOfNumberWords(numberInChinese(QStringView(sentence).mid(i, length))));
            i += length;
            continue;
        }
        const QChar c = sentence.at(i++);
        const auto known = pinyinTable().constFind(c);
        if (known != pinyinTable().constEnd())
            addWord(known->letters + QString::number(known->tone));
        else if (isPause(c))
            pauseBefore = true;
    }
    return words.join(u' ');
}

QString withOperatorWords(QString sentence)
{
    // "49 ÷ 7" is "49 除以 7": 除 alone would name 7 ÷ 49.
    return sentence.replace(u'÷', QStringLiteral("除以"))
        .replace(u'×', u'乘')
        .replace(u'+', u'加')
        .replace(QChar(0x2212), u'减');
}

QString readingFor(ReadingStyle style, const QString& sentence)
{
    const QString spoken = withOperatorWords(sentence);
    switch (style) {
    case ReadingStyle::Pinyin:
        return pinyinReading(spoken);
    case ReadingStyle::Hanzi:
        return hanziReading(spoken);
    case ReadingStyle::Verbatim:
        break;
    }
    return spoken;
}

} // namespace zorvel
