// Readings of numbers and sentences: every integer to 99999 against an
// independent positional rule, decimals, and whole sentences in pinyin.
#include "speech/chinese_reading.h"

#include <QRegularExpression>
#include <QTest>

using namespace zorvel;

namespace {

// Writes every place out (三千零百零十五), folds runs of 零, drops trailing
// 零 and a leading 一 before 十; 2 before 千 or 万 is 两.
QString positionalRule(int value)
{
    if (value == 0)
        return QStringLiteral("零");
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    static const QString units[] = {QStringLiteral("万"), QStringLiteral("千"), QStringLiteral("百"),
                                    QStringLiteral("十"), QString()};
    const QString text = QString::number(value).rightJustified(5, u'0');
    QString spelled;
    for (int place = 0; place < 5; ++place) {
        const int d = text.at(place).digitValue();
        if (d == 0)
            spelled += u'零';
        else if (d == 2 && place <= 1)
            spelled += QStringLiteral("两") + units[place];
        else
            spelled += digits.at(d) + units[place];
    }
    spelled.replace(QRegularExpression(QStringLiteral("零+")), QStringLiteral("零"));
    while (spelled.startsWith(u'零'))
        spelled.remove(0, 1);
    while (spelled.endsWith(u'零'))
        spelled.chop(1);
    if (spelled.startsWith(QStringLiteral("一十")))
        spelled.remove(0, 1);
    return spelled;
}

} // namespace

class ChineseReadingTest : public QObject {
    Q_OBJECT
private slots:
    void everyIntegerBelowOneHundredThousand()
    {
        for (int value = 0; value < 100000; ++value) {
            const QString expected = positionalRule(value);
            if (integerInChinese(static_cast<unsigned long long>(value)) != expected)
                QFAIL(qPrintable(QStringLiteral("%1: %2, expected %3")
                                     .arg(value)
                                     .arg(integerInChinese(static_cast<unsigned long long>(value)), expected)));
            if (numberInChinese(QString::number(value)) != expected)
                QFAIL(qPrintable(QStringLiteral("%1 as text").arg(value)));
        }
    }

    void everyIntegerHasPinyin()
    {
        static const QRegularExpression syllables(QStringLiteral("^([a-z]+[1-4])+$"));
        for (int value = 0; value < 100000; ++value) {
            const QString reading = pinyinReading(QString::number(value));
            if (!syllables.match(reading).hasMatch())
                QFAIL(qPrintable(QStringLiteral("%1: %2").arg(value).arg(reading)));
        }
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<QString>("words");
        // 105, 1005 and 2019 anchor the positional rule; the rest lie beyond it.
        const char* rows[][2] = {
            {"105", "一百零五"},      {"1005", "一千零五"},     {"2019", "两千零一十九"},
            {"100000", "十万"},       {"110000", "十一万"},     {"100010000", "一亿零一万"},
            {"0.47", "零点四七"},     {"12.05", "十二点零五"},   {".47", "零点四七"},
            {"5.5", "五点五"},        {"0.08", "零点零八"},     {"3.", "三"},
            {"007", "七"},            {"20.2", "二十点二"},     {"12345678901234567890", "一二三四五六七八九零一二三四五六七八九零"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }

    void numbers()
    {
        QFETCH(QString, digits);
        QFETCH(QString, words);
        QCOMPARE(numberInChinese(digits), words);
    }

    void sentences_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("hanzi");
        QTest::addColumn<QString>("pinyin");
        const char* rows[][3] = {
            {"第12题47 加 8", "第十二题四十七 加 八", "di4 shi2er4 ti2 si4shi2qi1 jia1 ba1"},
            {"第 3题105 减 8", "第 三题一百零五 减 八", "di4 san1 ti2 yi4bai3ling2wu3 jian3 ba1"},
            {"第20题0.47 减 0.08", "第二十题零点四七 减 零点零八",
             "di4 er4shi2 ti2 ling2dian3si4qi1 jian3 ling2dian3ling2ba1"},
            {"第7题 56", "第七题 五十六", "di4 qi1 ti2 wu3shi2liu4"},
            {"第1题 5.5", "第一题 五点五", "di4 yi1 ti2 wu2dian2wu3"},
            {"第9题12 乘 100", "第九题十二 乘 一百", "di4 jiu3 ti2 shi2er4 cheng2 yi4bai3"},
            {"第10题9801 除以 99", "第十题九千八百零一 除以 九十九",
             "di4 shi2 ti2 jiu3qian1ba1bai3ling2yi1 chu2 yi3 jiu3shi2jiu3"},
            {"第4题1.5 加 2.3 减 0.8", "第四题一点五 加 二点三 减 零点八",
             "di4 si4 ti2 yi1dian2wu3 jia1 er4dian3san1 jian3 ling2dian3ba1"},
            {"第2题10000 加 1000", "第二题一万 加 一千", "di4 er4 ti2 yi2wan4 jia1 yi4qian1"},
            {"0.55 555 999", "零点五五 五百五十五 九百九十九",
             "ling2dian2wu2wu3 wu2bai2wu3shi2wu3 jiu2bai2jiu3shi2jiu3"},
            {"第1题，2好", "第一题，二好", "di4 yi1 ti2, er4"},
            {"", "", ""},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1])
                                  << QString::fromUtf8(row[2]);
    }

    void sentences()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, hanzi);
        QFETCH(QString, pinyin);
        QCOMPARE(hanziReading(sentence), hanzi);
        QCOMPARE(pinyinReading(sentence), pinyin);
        QCOMPARE(readingFor(ReadingStyle::Hanzi, sentence), hanzi);
        QCOMPARE(readingFor(ReadingStyle::Pinyin, sentence), pinyin);
        QCOMPARE(readingFor(ReadingStyle::Verbatim, sentence), sentence);
    }

    void signsAreReadAsWords()
    {
        QCOMPARE(readingFor(ReadingStyle::Hanzi, QStringLiteral("49 ÷ 7 = 7")), QStringLiteral("四十九 除以 七 = 七"));
        QCOMPARE(readingFor(ReadingStyle::Pinyin, QStringLiteral("6 × 7 + 67 − 9")),
                 QStringLiteral("liu4 cheng2 qi1 jia1 liu4shi2qi1 jian3 jiu3"));
    }
};

QTEST_APPLESS_MAIN(ChineseReadingTest)
#include "chinese_reading_test.moc"
