#include "core/studio/ModeleStudio.h"

#include "core/Texte.h"
#include "core/setup/ListesDepart.h"

#include <QDir>
#include <QFileInfo>

void ArbreStudio::Reinitialiser(const QString& racine) {
    m_branches = {Branche{QDir::cleanPath(racine), {}, -1, false, {}}};
}

int ArbreStudio::Parent(int id) const {
    return Valide(id) ? m_branches.at(id).Parent : -1;
}

QString ArbreStudio::Chemin(int id) const {
    return Valide(id) ? m_branches.at(id).Chemin : QString();
}

QString ArbreStudio::Nom(int id) const {
    return Valide(id) ? m_branches.at(id).Nom : QString();
}

bool ArbreStudio::Listee(int id) const {
    return Valide(id) && m_branches.at(id).Listee;
}

QVector<int> ArbreStudio::Enfants(int id) const {
    return Valide(id) ? m_branches.at(id).Enfants : QVector<int>();
}

bool ArbreStudio::Lister(int id) {
    if (!Valide(id) || m_branches.at(id).Listee)
        return false;
    m_branches[id].Listee = true;
    const QString dossier = m_branches.at(id).Chemin;
    for (const QString& entree : ListerDossiers(dossier)) {
        const QString nom = SansMarque(entree);
        // A folder holding none has nothing to list when opened.
        m_branches.append({dossier + u'/' + nom, nom, id, entree == nom, {}});
        m_branches[id].Enfants.append(int(m_branches.size()) - 1);
    }
    return true;
}

int ArbreStudio::Trouver(const QString& chemin) {
    if (m_branches.isEmpty() || chemin.isEmpty())
        return -1;
    const QString cible = QDir::cleanPath(chemin);
    const QString racine = m_branches.at(0).Chemin;
    if (!cible.startsWith(racine + u'/'))
        return -1;
    int courant = 0;
    for (const QString& partie : cible.mid(racine.size() + 1).split(u'/')) {
        Lister(courant);
        int suivant = -1;
        for (const int e : std::as_const(m_branches.at(courant).Enfants))
            if (m_branches.at(e).Nom == partie)
                suivant = e;
        if (suivant < 0)
            return -1;
        courant = suivant;
    }
    return courant;
}

ItemStudio* ModeleStudio::Item(int index) {
    return index >= 0 && index < m_items.size() ? &m_items[index] : nullptr;
}

void ModeleStudio::Ouvrir(const QString& dossier) {
    m_dossier = QDir::cleanPath(dossier);
    m_items = LireDossierStudio(m_dossier);
    m_courant = -1;
    Choisir(m_items.isEmpty() ? -1 : 0);
}

void ModeleStudio::Fermer() {
    m_dossier.clear();
    m_items.clear();
    m_courant = -1;
    m_orthographes.clear();
}

void ModeleStudio::Relire() {
    const QStringList orthographes = m_orthographes;
    const ItemStudio* it = ItemCourant();
    const bool edite = it != nullptr;
    const bool surLeDisque = it && (!it->FichierSon.isEmpty() || !it->FichierTexte.isEmpty() ||
                                    !it->FichierImage.isEmpty());
    const QString ancienne = surLeDisque ? it->Base : QString();
    Ouvrir(m_dossier);
    if (!edite)
        return;
    int choix = -1;
    for (int i = 0; i < m_items.size(); ++i)
        if (!ancienne.isEmpty() && m_items.at(i).Base == ancienne)
            choix = i;
    if (choix < 0) {
        ItemStudio nouvel;
        nouvel.Orthographes = orthographes;
        m_items.append(nouvel);
        choix = int(m_items.size()) - 1;
    }
    Choisir(choix);
    m_orthographes = orthographes;
}

bool ModeleStudio::Choisir(int index) {
    if (index >= 0 && index == m_courant)
        return false;
    m_courant = Item(index) ? index : -1;
    const ItemStudio* it = ItemCourant();
    m_orthographes = it ? it->Orthographes : QStringList();
    return true;
}

int ModeleStudio::ItemANommer() {
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i).Base.isEmpty())
            return i;
    m_items.append(ItemStudio());
    return int(m_items.size()) - 1;
}

IssueOrthographe ModeleStudio::Verifier(const QString& texte, int ligneRemplacee,
                                        QString& forme) const {
    // What a word processor pasted along is kept as the pupil types it, as the name will.
    forme = Rogner(TexteSaisi(texte));
    if (forme.isEmpty() || m_courant < 0)
        return {};
    for (int i = 0; i < m_orthographes.size(); ++i) {
        if (i == ligneRemplacee || !EgauxSelonRegle(m_orthographes.at(i), forme))
            continue;
        if (m_orthographes.at(i) == forme)
            return {false, QStringLiteral("« %1 » est déjà dans la liste.").arg(forme)};
        return {false, QStringLiteral("« %1 » est déjà dans la liste sous la forme « %2 » : "
                                      "l'exercice accepte les deux comme une seule réponse.")
                           .arg(forme, m_orthographes.at(i))};
    }
    return {true, {}};
}

IssueOrthographe ModeleStudio::AjouterOrthographe(const QString& texte) {
    QString forme;
    const IssueOrthographe r = Verifier(texte, -1, forme);
    if (r.Acceptee)
        m_orthographes.append(forme);
    return r;
}

IssueOrthographe ModeleStudio::ModifierOrthographe(int ligne, const QString& texte) {
    if (ligne < 0 || ligne >= m_orthographes.size())
        return {};
    QString forme;
    if (Rogner(TexteSaisi(texte)).isEmpty()) {
        m_orthographes.removeAt(ligne);
        return {true, {}};
    }
    const IssueOrthographe r = Verifier(texte, ligne, forme);
    if (r.Acceptee)
        m_orthographes[ligne] = forme;
    return r;
}

bool ModeleStudio::RetirerOrthographe(int ligne) {
    if (ligne < 0 || ligne >= m_orthographes.size())
        return false;
    m_orthographes.removeAt(ligne);
    return true;
}

NomItem ModeleStudio::NomEnAttente() const {
    NomItem nom = NommerItem(m_orthographes);
    if (!nom.Accepte())
        return nom;
    QStringList autres;
    for (int i = 0; i < m_items.size(); ++i)
        if (i != m_courant && !m_items.at(i).Base.isEmpty())
            autres.append(m_items.at(i).Base);
    const QString doublon = RefusDoublon(nom.Base, autres);
    if (!doublon.isEmpty())
        return {{}, {}, doublon};
    return nom;
}

void ModeleStudio::NomEcrit() {
    const ItemStudio* it = m_courant >= 0 ? &m_items.at(m_courant) : nullptr;
    m_orthographes = it ? it->Orthographes : QStringList();
}

QVector<int> ModeleStudio::SonEcrit(const QString& chemin) {
    QVector<int> r;
    for (int i = 0; i < m_items.size(); ++i) {
        if (QFileInfo(CheminSon(m_dossier, m_items.at(i))) != QFileInfo(chemin))
            continue;
        ItemStudio& it = m_items[i];
        it.FichierSon = QFileInfo(chemin).fileName();
        it.Son = DureeWav(chemin, it.Duree) ? EtatSon::Present : EtatSon::Illisible;
        r.append(i);
    }
    return r;
}

QVector<int> ModeleStudio::ItemsSansSon() const {
    QVector<int> r;
    for (int i = 0; i < m_items.size(); ++i)
        if (!m_items.at(i).Base.isEmpty() && m_items.at(i).Son != EtatSon::Present)
            r.append(i);
    return r;
}

bool ModeleStudio::UnItemASonSon() const {
    for (const ItemStudio& it : m_items)
        if (it.Son == EtatSon::Present)
            return true;
    return false;
}
