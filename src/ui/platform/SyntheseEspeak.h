#pragma once
// The French voice of espeak-ng, started as a separate program (never waited for: the window
// goes on while it speaks). Where espeak-ng is not installed, it says so.

#include "core/Services.h"

#include <QObject>
#include <QPointer>

class QProcess;

class SyntheseEspeak : public QObject, public ISyntheseVocale {
    Q_OBJECT
public:
    // `programme`: the name looked up on the program search path, or a path.
    explicit SyntheseEspeak(const QString& programme = QStringLiteral("espeak-ng"),
                            QObject* parent = nullptr);
    ~SyntheseEspeak() override;

    bool Disponible(QString* raison) override;
    void Dire(const QString& texte, const QString& sortie,
              std::function<void(const QString& erreur)> fini) override;
    void Annuler() override;

private:
    QString m_programme;
    QPointer<QProcess> m_processus;
};
