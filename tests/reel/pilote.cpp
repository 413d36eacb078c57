// SPDX-License-Identifier: GPL-3.0-or-later
#include "reel/pilote.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QClipboard>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenu>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <thread>

#include "framework/verrou_commandes.h"
#include "support/execution.h"

extern char** environ;

namespace velquor::test {

namespace {

constexpr auto kPasAttente = std::chrono::milliseconds(10);
constexpr auto kRelance = std::chrono::seconds(2);

// Counts the presses of the right Shift that reach the windows, wherever they go. The press, not
// the release: a release whose window went away in between (a progress window) is lost.
class TemoinShift : public QObject {
 public:
  TemoinShift() { qApp->installEventFilter(this); }
  ~TemoinShift() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* objet, QEvent* evenement) override {
    // Counted on widgets only (the window system's window sees the event first); a press the
    // focus widget ignores goes on to its parents and is counted again, which does no harm. The
    // left Shift that xdotool holds for capitals is not counted.
    constexpr quint32 kShiftDroit = 0xFFE2;  // its key symbol
    if (evenement->type() == QEvent::KeyPress && objet->isWidgetType() &&
        static_cast<QKeyEvent*>(evenement)->nativeVirtualKey() == kShiftDroit)
      ++appuis;
    return false;
  }
  int appuis = 0;
};

}  // namespace

// The characters beyond ASCII that the real-input tests and the explorer type.
const std::string kCaracteresTapes =
    "éèêàâçôûùîïëœæÉÈÊÀÂÇÔÛÙÎÏËŒÆ€’‘“”…–—Ÿ\u00A0ΩłŁ≠中★\U0001F379\U0001F378\U0001F34B";

bool AffichageReelDisponible() {
  return !qEnvironmentVariableIsEmpty("VELQUOR_AFFICHAGE_REEL");
}

void Pilote::SurFil(const std::function<void()>& f) {
  QMetaObject::invokeMethod(qApp, f, Qt::BlockingQueuedConnection);
}

bool Pilote::Attendre(const std::function<bool()>& condition, const std::string& quoi,
                      int delaiMs) {
  const auto debut = std::chrono::steady_clock::now();
  const auto fin = debut + std::chrono::milliseconds(delaiMs);
  auto relance = debut + kRelance;
  while (!Sur(condition)) {
    const auto maintenant = std::chrono::steady_clock::now();
    if (maintenant > fin) {
      ADD_FAILURE() << "Toujours pas au bout de " << delaiMs << " ms : " << quoi;
      return false;
    }
    // Under load, input the X server has sent can wait in the program's connection until the
    // next event comes in (seen here: a key, then nothing for 30 s; clicks handed over only
    // with later keys). A user's next move brings it in; here a key that does nothing, the right
    // Shift, does.
    if (maintenant > relance) {
      Xdotool({"key", "Shift_R"});
      relance = maintenant + kRelance;
    }
    std::this_thread::sleep_for(kPasAttente);
  }
  return true;
}

namespace {

// Runs a tool of the X server's, found on the PATH.
Execution Outil(std::vector<std::string> mots) {
  return Executer("/usr/bin/env", std::move(mots));
}

}  // namespace

void Pilote::Xdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> mots{"xdotool"};
  mots.insert(mots.end(), arguments.begin(), arguments.end());
  const Execution r = Outil(mots);
  EXPECT_EQ(r.code, 0) << "xdotool " << arguments.front() << " : " << r.erreurs;
}

void Pilote::Touches(const std::string& touches) {
  std::vector<std::string> arguments{"key"};
  std::size_t debut = 0;
  while (debut < touches.size()) {
    std::size_t fin = touches.find(' ', debut);
    if (fin == std::string::npos) fin = touches.size();
    if (fin > debut) arguments.push_back(touches.substr(debut, fin - debut));
    debut = fin + 1;
  }
  Xdotool(arguments);
}

void Pilote::Taper(const std::string& texte) {
  PreparerClavier(texte);
  Xdotool({"type", "--", texte});
}

void Pilote::PreparerClavier(const std::string& texte) {
  static const std::u32string tapes = QString::fromStdString(kCaracteresTapes).toStdU32String();
  for (char32_t c : QString::fromStdString(texte).toStdU32String()) {
    if (c >= 0x80 && tapes.find(c) == std::u32string::npos)
      ADD_FAILURE() << "caractère sans touche : U+" << std::hex << static_cast<unsigned>(c)
                    << " (à ajouter à kCaracteresTapes)";
  }
}

bool DonnerDesTouchesAuxCaracteres() {
  // The key map as values: "   93    \t0x00c9 (Eacute)\t0x00c9 (Eacute)\t...".
  std::set<unsigned long> presents;  // without a modifier or with Shift
  std::vector<int> libres;           // no symbol, or multimedia symbols only
  const Execution carte = Outil({"xmodmap", "-pk"});
  if (carte.code != 0) return false;
  std::istringstream lignes(carte.sortie);
  for (std::string ligne; std::getline(lignes, ligne);) {
    std::istringstream mots(ligne);
    int touche = 0;
    if (!(mots >> touche)) continue;
    bool libre = true;
    int colonne = 0;
    for (std::string mot; mots >> mot;) {
      if (mot.rfind("0x", 0) != 0) continue;
      const unsigned long symbole = std::strtoul(mot.c_str(), nullptr, 16);
      if (colonne++ < 2) presents.insert(symbole);
      libre = libre && (symbole == 0 || (symbole >= 0x1008FE00 && symbole <= 0x1008FFFF));
    }
    if (libre) libres.push_back(touche);
  }
  std::vector<std::string> arguments{"xmodmap"};
  for (char32_t c : QString::fromStdString(kCaracteresTapes).toStdU32String()) {
    const unsigned long symbole = c < 0x100 ? c : 0x1000000 | c;
    if (presents.count(symbole)) continue;
    if (libres.empty()) return false;
    char nom[16];
    std::snprintf(nom, sizeof nom, "U%04X", static_cast<unsigned>(c));
    arguments.insert(arguments.end(),
                     {"-e", "keycode " + std::to_string(libres.back()) + " = " + nom + " " + nom});
    libres.pop_back();
  }
  return arguments.size() == 1 || Outil(arguments).code == 0;
}

QPoint Pilote::PositionGlobale(QWidget* widget, QPoint point) {
  return Sur([&] {
    const QPoint local = point.x() < 0 ? widget->rect().center() : point;
    return widget->mapToGlobal(local);
  });
}

void Pilote::Cliquer(QWidget* widget, QPoint point, int bouton, const std::string& modificateur) {
  const QPoint p = PositionGlobale(widget, point);
  std::vector<std::string> arguments{"mousemove", std::to_string(p.x()), std::to_string(p.y())};
  if (!modificateur.empty()) arguments.insert(arguments.end(), {"keydown", modificateur});
  arguments.insert(arguments.end(), {"click", std::to_string(bouton)});
  if (!modificateur.empty()) arguments.insert(arguments.end(), {"keyup", modificateur});
  Xdotool(arguments);
}

void Pilote::Survoler(QWidget* widget, QPoint point) {
  const QPoint p = PositionGlobale(widget, point);
  Xdotool({"mousemove", std::to_string(p.x()), std::to_string(p.y())});
}

void Pilote::Molette(QWidget* widget, int crans) {
  const QPoint p = PositionGlobale(widget, {-1, -1});
  Xdotool({"mousemove", std::to_string(p.x()), std::to_string(p.y()), "click", "--repeat",
           std::to_string(crans < 0 ? -crans : crans), crans < 0 ? "4" : "5"});
}

bool Pilote::Proposer(const std::string& texte, bool primaire) {
  if (xclip_ > 0) {
    kill(xclip_, SIGTERM);
    waitpid(xclip_, nullptr, 0);
  }
  int tube[2];
  if (pipe(tube) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, tube[0], 0);
  posix_spawn_file_actions_addclose(&actions, tube[1]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> mots{"xclip", "-quiet", "-selection", primaire ? "primary" : "clipboard",
                                "-i"};
  std::vector<char*> argv;
  for (std::string& m : mots)
    argv.push_back(m.data());
  argv.push_back(nullptr);
  const bool lance = posix_spawnp(&xclip_, "xclip", &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(tube[0]);
  if (lance && write(tube[1], texte.data(), texte.size()) < 0) ADD_FAILURE() << "xclip";
  close(tube[1]);
  if (!lance) {
    xclip_ = -1;
    ADD_FAILURE() << "xclip ne démarre pas";
    return false;
  }
  const QString attendu = QString::fromStdString(texte);
  const QClipboard::Mode mode = primaire ? QClipboard::Selection : QClipboard::Clipboard;
  return Attendre([&] { return QApplication::clipboard()->text(mode) == attendu; },
                  "le presse-papiers tenu par xclip");
}

std::vector<unsigned long> Pilote::FenetresDe(pid_t pid, const std::string& titre) {
  std::string commande = "xdotool search --all --onlyvisible --pid " + std::to_string(pid);
  if (!titre.empty()) commande += " --name '" + titre + "'";
  const std::string sortie = SortieDe(commande);
  std::vector<unsigned long> fenetres;
  std::istringstream lignes(sortie.substr(sortie.find("→") + std::strlen("→")));
  for (unsigned long fenetre = 0; lignes >> fenetre;)
    fenetres.push_back(fenetre);
  return fenetres;
}

unsigned long Pilote::FenetreDe(pid_t pid, const std::string& titre) {
  std::vector<unsigned long> fenetres;
  if (!Attendre([&] { return !(fenetres = FenetresDe(pid, titre)).empty(); },
                "une fenêtre du processus " + std::to_string(pid) + " " + titre)) {
    ADD_FAILURE() << SortieDe("xdotool search --onlyvisible --pid " + std::to_string(pid) +
                              " getwindowname %@")
                  << '\n'
                  << EtatDesFenetres();
  }
  return fenetres.empty() ? 0 : fenetres.front();
}

void Pilote::Activer(unsigned long fenetre) {
  Xdotool({"windowactivate", "--sync", std::to_string(fenetre)});
}

bool Pilote::Synchroniser() {
  auto* temoin = static_cast<TemoinShift*>(temoin_);
  // A pass (a consistency pass) swallows the user's keys while it runs, the témoin's too when it
  // comes during the pass: once the pass is over, the key is sent again.
  for (int essai = 0; essai < 20; ++essai) {
    const auto [avant, avaleesAvant] =
        Sur([temoin] { return std::pair(temoin->appuis, SaisiesAvalees()); });
    Touches("Shift_R");
    const bool vu = Attendre(
        [temoin, avant, avaleesAvant] {
          return !SaisiesBloquees() && (temoin->appuis > avant || SaisiesAvalees() > avaleesAvant);
        },
        "la touche témoin, après tout ce qui a été envoyé avant elle");
    if (!vu) {
      ADD_FAILURE() << EtatDesFenetres();
      return false;
    }
    if (Sur([temoin, avant] { return temoin->appuis > avant; })) return true;
  }
  ADD_FAILURE() << "la touche témoin toujours avalée";
  return false;
}

bool Pilote::AttendreActive(QWidget* widget, const std::string& quoi) {
  QPointer<QWidget> garde(widget);
  const bool active = Attendre(
      [garde] {
        if (!garde || !garde->isVisible()) return false;
        QWindow* fenetre = garde->window()->windowHandle();
        return fenetre && fenetre->isExposed() && QApplication::activeWindow() == garde->window();
      },
      quoi);
  if (!active) ADD_FAILURE() << EtatDesFenetres();
  return active;
}

std::string Pilote::EtatDesFenetres() {
  std::string etat = Sur([] {
    auto nom = [](const QObject* o) -> std::string {
      if (!o) return "aucune";
      return std::string(o->metaObject()->className()) + " \"" + o->objectName().toStdString() +
             "\"";
    };
    std::string s = "Qt : fenêtre active " + nom(QApplication::activeWindow()) + ", focus " +
                    nom(QGuiApplication::focusWindow()) + " (" + nom(QApplication::focusWidget()) +
                    "), modale " + nom(QApplication::activeModalWidget()) + " (fenêtre modale " +
                    nom(QGuiApplication::modalWindow()) + "), menu " +
                    nom(QApplication::activePopupWidget()) + "\nfenêtres montrées :";
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      QWindow* f = w->windowHandle();
      s += "\n  " + nom(w) + " 0x" + QString::number(w->winId(), 16).toStdString() +
           (w->isEnabled() ? "" : " désactivée") +
           (f && f->isExposed() ? " exposée" : " non exposée") +
           (f && f->isActive() ? " active" : "");
    }
    return s;
  });
  // Where the X server and the window manager put the focus.
  etat += "\nX : " + SortieDe("xdotool getwindowfocus") + ", " +
          SortieDe("xprop -root _NET_ACTIVE_WINDOW");
  return etat;
}

unsigned long Pilote::FocusX() {
  const std::string sortie = SortieDe("xdotool getwindowfocus");
  return std::strtoul(sortie.c_str() + sortie.rfind(' ') + 1, nullptr, 10);
}

std::string Pilote::SortieDe(const std::string& commande) {
  std::string sortie = Executer("/bin/sh", {"-c", commande + " 2>&1"}).sortie;
  while (!sortie.empty() && sortie.back() == '\n')
    sortie.pop_back();
  return commande + " → " + sortie;
}

bool Pilote::AttendreFocus(QWidget* widget, const std::string& quoi) {
  QPointer<QWidget> garde(widget);
  return Attendre([garde] { return garde && QApplication::focusWidget() == garde; }, quoi);
}

void Pilote::FermerCeQuiResteOuvert() {
  for (int essais = 0; essais < 50; ++essais) {
    const bool ouvert = Sur([] {
      if (QWidget* menu = QApplication::activePopupWidget()) {
        menu->close();
        return true;
      }
      if (auto* dialogue = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        dialogue->done(QDialog::Rejected);
        return true;
      }
      return false;
    });
    if (!ouvert) return;
    std::this_thread::sleep_for(kPasAttente);
  }
}

void Piloter(const std::function<void(Pilote&)>& scenario) {
  Pilote pilote;
  TemoinShift temoin;
  pilote.temoin_ = &temoin;
  QEventLoop boucle;
  std::thread fil([&] {
    scenario(pilote);
    pilote.FermerCeQuiResteOuvert();
    if (pilote.xclip_ > 0) {
      kill(pilote.xclip_, SIGTERM);
      waitpid(pilote.xclip_, nullptr, 0);
    }
    QMetaObject::invokeMethod(
        &boucle, [&boucle] { boucle.quit(); }, Qt::QueuedConnection);
  });
  boucle.exec();
  fil.join();
}

}  // namespace velquor::test
