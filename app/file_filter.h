// The open-file dialog's filter: from the "Name|*.a;*.b|...||" form that the logic passes to the
// "Name (*.a *.b);;..." form of Qt's file dialog.
#pragma once

#include <QString>

QString ConvertFileFilter(const QString& pipeFilter);
