// Readings of the spoken sentences: numbers as standard Mandarin words, and
// the whole sentence as tone-numbered pinyin for the pinyin voice.
#pragma once

#include <QString>
#include <QStringView>

namespace zorvel {

// How a sentence is handed to the synthesiser, by what the chosen voice can
// pronounce.
enum class ReadingStyle {
    Pinyin,   // tone-numbered pinyin syllables
    Hanzi,    // numbers written out in Chinese characters
    Verbatim, // the sentence as it is
};

// 0 -> 零, 47 -> 四十七, 105 -> 一百零五, 2019 -> 两千零一十九, 10050 -> 一万零五十.
QString integerInChinese(unsigned long long value);

// A number as written in the sentences: digits with at most one decimal
// point ("47", "0.47", ".5", "12.05", "3."). Decimals are read digit by digit
// after 点.
QString numberInChinese(QStringView digits);

// The sentence with every number replaced by its Chinese words.
QString hanziReading(const QString& sentence);

// The sentence as pinyin: one word per number or character, separated by
// blanks; characters without a reading are left out.
QString pinyinReading(const QString& sentence);

// The operator signs as the words a teacher says: ÷ 除以, × 乘, + 加, − 减.
QString withOperatorWords(QString sentence);

// The sentence, its operator signs as words, for a voice of that style.
QString readingFor(ReadingStyle style, const QString& sentence);

} // namespace zorvel
