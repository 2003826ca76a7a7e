#pragma once

#include <QStringList>

int runExchange(const QStringList &arguments);
