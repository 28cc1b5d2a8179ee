// A message handler that passes on only critical and fatal messages.
#include "common/qt_messages.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace zorvel {

namespace {

QtMessageHandler previousHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

void keepQtRemarksOffStandardError()
{
    if (!qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        return;
    previousHandler = qInstallMessageHandler(filterMessage);
}

} // namespace zorvel
