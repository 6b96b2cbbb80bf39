// The yardstick of the start-up benchmark: a bare Qt Widgets program showing one window the
// size of the exercise screen. It prints "peint <peak memory in kB>" once the window has been
// painted, and ends. With --texte the window also shows one line of text, which costs the
// loading of the fonts any real program pays: a second, gentler yardstick.

#include "MemoireProcessus.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
class Fenetre : public QWidget {
protected:
    bool event(QEvent* e) override {
        const bool r = QWidget::event(e);
        if (e->type() == QEvent::Paint && !m_peinte) {
            m_peinte = true;
            QTimer::singleShot(0, this, [] {
                std::printf("peint %ld\n", MemoireCrete());
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return r;
    }

private:
    bool m_peinte = false;
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Fenetre f;
    f.setWindowTitle(QStringLiteral("Fenêtre"));
    f.resize(628, 429);
    if (QCoreApplication::arguments().contains(QStringLiteral("--texte")))
        (new QLabel(QStringLiteral("Bonjour !"), &f))->move(20, 20);
    f.show();
    return QApplication::exec();
}
