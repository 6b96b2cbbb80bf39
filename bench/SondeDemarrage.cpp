#include "SondeDemarrage.h"

#include "ui/Fenetres.h"
#include "ui/exercise/FenetreExercice.h"
#include "ui/setup/FenetreDepart.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace {

class SondeDemarrage : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* objet, QEvent* e) override {
        if (e->type() == QEvent::Paint && !m_fini && objet->isWidgetType()) {
            // The window itself, or the first of its widgets when they cover it all.
            const QWidget* fenetre = static_cast<QWidget*>(objet)->window();
            m_principale |= fenetre == Fenetres::Exercice;
            m_depart |= fenetre == Fenetres::Depart;
            if (m_principale && m_depart) {
                m_fini = true;
                // Once this round of painting is over and on screen.
                QTimer::singleShot(0, this, [] {
                    std::printf("peint\n");
                    std::fflush(stdout);
                    Fenetres::Exercice->close();
                    Fenetres::Depart->reject();
                });
            }
        }
        return false;
    }

private:
    bool m_principale = false;
    bool m_depart = false;
    bool m_fini = false;
};

} // namespace

void InstallerSondeDemarrage() {
    qApp->installEventFilter(new SondeDemarrage(qApp));
}
