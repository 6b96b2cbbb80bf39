#pragma once
// The message boxes and the feedback box are alerts to assistive technology: a screen reader
// reads an alert by itself when it shows, where it would only name a dialog.

class QWidget;

// Makes every message box and feedback box an alert (named by its text) to assistive
// technology. Once is enough; each box calls it, so that it holds wherever a box is made.
void InstallerRoleAlerte();

// Tells assistive technology that `boite`, just shown, is to be read now.
void AnnoncerAlerte(QWidget* boite);
