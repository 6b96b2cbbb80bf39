#pragma once
// How the pupil's texts are set for a young or dyslexic reader, and for low vision. Two ini
// keys, apart because a pupil may need either or both: POLICE (STANDARD, ECOLE: Andika, whose a,
// g and b/d/p/q are the ones taught at school; DYS: OpenDyslexic), each with wider letter and
// line spacing, and CONTRASTE (NORMAL, FORT: dark text on white). The teacher module can change
// both for the run. By default nothing changes, and nothing is loaded.

#include <QList>
#include <QString>

#include <cstdint>

enum class PoliceLecture { Standard, Ecole, Dys };
enum class ContrasteLecture { Normal, Fort };

struct ReglagesLecture {
    PoliceLecture Police = PoliceLecture::Standard;
    ContrasteLecture Contraste = ContrasteLecture::Normal;
    bool operator==(const ReglagesLecture&) const = default;
};

// The value of the POLICE key, in any case, blanks around it ignored ("ÉCOLE" too). false for
// anything else: the caller keeps what it had.
bool LirePoliceLecture(const QString& valeur, PoliceLecture& police);
QString MessagePoliceInvalide(const QString& valeur);
// The value of the CONTRASTE key (NORMAL or FORT, in any case).
bool LireContrasteLecture(const QString& valeur, ContrasteLecture& contraste);
QString MessageContrasteInvalide(const QString& valeur);

// The letters and spacing of the pupil's texts at a setting.
struct MiseEnPageLecture {
    QString Famille;                // empty: each control keeps its own letters
    double EspacementLettres = 100; // percent of the letters' own advance
    double Interligne = 100;        // percent of the letters' own line height
    bool operator==(const MiseEnPageLecture&) const = default;
};
MiseEnPageLecture MiseEnPagePour(PoliceLecture police);

// What the teacher module says, once in a run, when the letters a setting asks for are not on
// this computer: the program keeps its usual ones. Empty when there is nothing (more) to say.
class AvisPoliceAbsente {
public:
    QString ADire(PoliceLecture police, bool installee);

private:
    QList<PoliceLecture> m_dites;
};

// A colour as 0xRRGGBB (the core has no colour type of its own).
using CouleurRgb = std::uint32_t;

// The high-contrast colours: every text dark on white.
struct CouleursLecture {
    CouleurRgb Texte;
    CouleurRgb TexteDesactive; // a greyed button still reads at 7:1
    CouleurRgb Fond;
    CouleurRgb Cadre;        // the boxes the pictures drew, drawn as lines instead
    CouleurRgb LettreFausse; // the marked answer above the model
    CouleurRgb LettreEnTrop;
    CouleurRgb Accent; // an accent or capital slip, and the words-to-review entry
};
const CouleursLecture& CouleursContrasteFort();

// Each text colour of the high-contrast set with the background it is drawn on, for a
// contrast check.
struct PaireCouleurs {
    const char* Nom;
    CouleurRgb Texte;
    CouleurRgb Fond;
};
QList<PaireCouleurs> PairesContrasteFort();
