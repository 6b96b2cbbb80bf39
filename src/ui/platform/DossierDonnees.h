#pragma once
// Where an installed program, whose own folder is read-only, keeps its ini, exercises, records
// and journal: the user's data folder on Linux; on Windows the computer's public documents
// (C:\Users\Public\Documents\Plumelune), which every pupil's account can write, so that the
// whole class works in one folder whoever opened the session.

#include <QString>

QString DossierDonneesInstallees();
