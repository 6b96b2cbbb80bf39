#pragma once

#include <QByteArray>
// Reads plumelune.ini, beside the executable, into the configuration part of the shared state.

enum class ResultatConfiguration { Lue, IniAbsent };

// At start-up and again after the teacher has worked: a key missing from the file keeps the
// value it had. IniAbsent means the message was shown and the program must end.
ResultatConfiguration ChargerConfiguration();

// Applies the lines of an ini file's content, as ChargerConfiguration does after reading it.
void AppliquerConfiguration(const QByteArray& contenu);
