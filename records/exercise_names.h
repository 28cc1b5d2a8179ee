// What a teacher calls an exercise's window: its operation as the catalogue
// names it and its mode as the main menu's columns do ("乘法 普通模式"), for
// the records window and zorvel-records alike.
#pragma once

#include "records/test_reports.h"

#include <QString>

namespace zorvel::records {

QString operationText(const QString& operationKey);  // "add" -> "加法"
QString modeText(const QString& modeKey);            // "normal" -> "普通模式"
QString windowText(const Exercise& exercise);        // "加法 普通模式"

} // namespace zorvel::records
