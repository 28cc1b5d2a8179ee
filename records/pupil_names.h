// A pupil's name as the record keeps it: trimmed, in Unicode's composed form
// (NFC), 1 to 40 characters, without invisible format characters (zero-width
// spaces, bidirectional overrides, ...), which are dropped, and without
// control characters, which are refused. Two names that differ only in what
// is dropped or composed are the same pupil.
#pragma once

#include <QString>

namespace zorvel::records {

inline constexpr int kLongestPupilName = 40;

struct PupilName {
    QString name;     // as kept; empty when refused
    QString refusal;  // one Chinese sentence when refused
};

PupilName pupilName(const QString& typed);
// Why a name was not taken, in one Chinese sentence: its own fault, else
// (a good name the record refused) that another pupil has it.
QString refusalOf(const PupilName& checked);

// True when the two names name the same pupil.
bool samePupilName(const QString& a, const QString& b);

} // namespace zorvel::records
