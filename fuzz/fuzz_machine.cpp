// The whole machine as the window drives it: an input is a configuration
// (model, mode, the history's interval), a program image and a script of
// the user's actions (pins now and scheduled, keys typed on the SCI's
// line or waiting for its receiver, the terminal's settings, voltages, MISO,
// fills anywhere, the register block included, register edits, EEPROM
// erase, resets, model switches, the memory map's mode, run slices as the
// window makes them, steps), driven through the real run engine and
// history. A second machine gets the same script without ever going back.
//
// Oracles, besides the sanitizers:
// - going back (one step, to the previous breakpoint, to a chosen
//   instruction) and forward again to the same point gives the machine the
//   second one has: registers, counts, memory, the chip's registers as a
//   view reads them, pending requests, scheduled pins, the SCI's queue,
//   the analog inputs, and in the E9 model the pin log (the flat model's
//   is sampled at the ends of slices, which differ after going back);
// - "Qui a change ceci ?" leaves the machine and its pin log as they were;
// - the history stays within its memory bound.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "puce/historique.h"
#include "puce/machine.h"

namespace {

// The bytes of the input, read in order; zeros once they run out.
struct lecteur {
  const uint8_t* octets;
  size_t taille;
  size_t position = 0;
  bool fini() const { return position >= taille; }
  unsigned octet() { return position < taille ? octets[position++] : 0; }
  unsigned mot() { return octet() << 8 | octet(); }
};

// Instructions an input may run in all, so that each stays short.
constexpr uint64_t budget_instructions = 40000;

struct banc {
  std::unique_ptr<machine> m;
  std::unique_ptr<machine> temoin;  // the same, never going back
  std::unique_ptr<historique> h;
  unsigned char arrets[0x10000] = {};
  uint64_t depense = 0;
};

void verifie(bool condition, const char* quoi, const std::string& detail) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_machine: %s : %s\n", quoi, detail.c_str());
  std::abort();
}

void compare(const banc& b, const char* quoi) {
  const std::string e = historique::ecart(*b.m, *b.temoin, b.m->e9());
  verifie(e.empty(), quoi, e);
}

// As the window's run: breakpoints, bit waits, pins and the serial line
// left to the user, the illegal-opcode trap taken then a stop.
conditions_arret conditions_fenetre(const banc& b, uint64_t pas,
                                    uint64_t cycles, const machine& m) {
  conditions_arret c;
  c.points_arret = b.arrets;
  c.attente_bit_libre = true;
  c.broches_libres = true;
  c.ligne_sci_libre = true;
  c.sur_illegal = conditions_arret::illegal::apres;
  c.max_pas = m.instructions + pas;
  c.max_cycles = m.cycles + cycles;
  return c;
}

// Back on the history's machine to the second one's point, as a run of
// the window gets there: slices through the kept future, up to its
// instruction count, then the interrupts and the waiting up to its cycle.
void rejoint(banc& b) {
  machine& m = *b.m;
  const machine& t = *b.temoin;
  for (int essais = 0; essais < 100000; ++essais) {
    if (m.instructions == t.instructions && m.cycles >= t.cycles) break;
    conditions_arret c;
    c.sur_illegal = conditions_arret::illegal::continue_;
    c.attente_bit_libre = c.broches_libres = true;
    c.max_pas = t.instructions;
    if (m.instructions == t.instructions) {
      c.max_cycles = t.cycles;
      c.jusqua_cycles = true;
    }
    const uint64_t i = m.instructions, cy = m.cycles;
    b.h->execute(c);
    if (m.instructions == i && m.cycles == cy) break;
  }
  // The actions kept at that very point, as the window's next step or run
  // applies them first.
  b.h->rejoue_entrees();
}

// The user's change: on both machines, then kept by the history.
template <typename F>
void action(banc& b, F&& f) {
  f(*b.m);
  f(*b.temoin);
  b.h->note_entree();
}

void nouveau_depart(banc& b) { b.h->demarre(); }

void un_pas(banc& b, lecteur& l) {
  const unsigned op = l.octet() % 20;
  machine& m = *b.m;
  machine& t = *b.temoin;
  switch (op) {
    case 0:  // a pin now
    case 1: {
      const auto broche = static_cast<unsigned char>(l.octet() % nb_broches);
      const bool niveau = l.octet() & 1;
      action(b, [&](machine& x) { x.pose_broche(broche, niveau); });
      break;
    }
    case 2: {  // a pin scheduled
      const evenement_broche e{
          m.cycles + l.mot() * (1 + l.octet() % 16),
          static_cast<unsigned char>(l.octet() % nb_broches),
          static_cast<unsigned char>(l.octet() & 1)};
      action(b, [&](machine& x) { x.planifie_broche(e); });
      break;
    }
    case 3: {  // the terminal: a key on the line, --sci-in, its settings
      const unsigned quoi = l.octet() % 4;
      const auto o = static_cast<unsigned char>(l.octet());
      static const uint32_t bauds[] = {0, 1200, 4800, 9600, 19200};
      const reglage_terminal r{bauds[o % 5],
                               static_cast<format_ligne>(o / 5 % 3)};
      action(b, [&](machine& x) {
        if (quoi == 0)
          x.recoit_sci(o);
        else if (quoi == 1)
          x.regle_terminal_sci(r);
        else
          x.envoie_sci(std::string(1, static_cast<char>(o)));
      });
      break;
    }
    case 4: {  // the analog inputs window
      int32_t volts[can::nb_entrees];
      m.tensions(volts);
      volts[l.octet() % can::nb_entrees] =
          static_cast<int32_t>(l.mot() * 80);  // 0 to 5.2 V
      action(b, [&](machine& x) { x.pose_tensions(volts); });
      break;
    }
    case 5: {  // a fill, anywhere
      const auto a = static_cast<unsigned short>(l.mot());
      const auto v = static_cast<unsigned char>(l.octet());
      action(b, [&](machine& x) { x.ecrit_octet(a, v); });
      break;
    }
    case 6: {  // a fill of the register block
      const puce* p = m.systeme();
      const auto a = static_cast<unsigned short>(
          (p ? p->etat.base_registres : 0x1000) + l.octet() % 64);
      const auto v = static_cast<unsigned char>(l.octet());
      action(b, [&](machine& x) { x.ecrit_octet(a, v); });
      break;
    }
    case 7: {  // a register field
      const unsigned quoi = l.octet() % 7, v = l.mot();
      action(b, [&](machine& x) {
        interpreteur& c = x.cpu;
        unsigned short* mots[] = {&c.X, &c.Y, &c.SP, &c.PC};
        if (quoi < 4)
          *mots[quoi] = static_cast<unsigned short>(v);
        else if (quoi == 4)
          c.A = static_cast<unsigned char>(v);
        else if (quoi == 5)
          c.B = static_cast<unsigned char>(v);
        else
          c.CCR = static_cast<unsigned char>(v);
      });
      break;
    }
    case 8:  // "Effacer l'EEPROM"
      action(b, [&](machine& x) { x.efface_eeprom(); });
      break;
    case 9: {  // the memory map's mode, for the next reset
      const bool etendu = l.octet() & 1;
      action(b, [&](machine& x) { x.choisit_mode(etendu); });
      break;
    }
    case 10: {  // the SPI's answer
      const auto o = static_cast<unsigned char>(l.octet());
      action(b, [&](machine& x) { x.pose_miso(o); });
      break;
    }
    case 11:  // reset: a new history
      m.reset();
      t.reset();
      nouveau_depart(b);
      break;
    case 12: {  // the other model: a new history
      const modele_machine autre =
          m.e9() ? modele_machine::plat : modele_machine::e9;
      m.change_modele(autre);
      t.change_modele(autre);
      nouveau_depart(b);
      break;
    }
    case 13:  // a breakpoint clicked
      b.arrets[l.mot()] ^= 1;
      break;
    case 14: {  // a step
      conditions_arret c;
      c.sur_illegal = conditions_arret::illegal::apres;
      b.h->pas(c);
      t.pas(c);
      t.note_ports_plat();
      ++b.depense;
      break;
    }
    case 15:
    case 16:
    case 17: {  // a slice of a run, as the window's
      const uint64_t pas = 1 + l.mot() % 5000;
      const conditions_arret c = conditions_fenetre(b, pas, 4 * pas, m);
      b.h->execute(c);
      t.execute(conditions_fenetre(b, pas, 4 * pas, t));
      t.note_ports_plat();
      b.depense += pas;
      break;
    }
    case 18: {  // back, then forward to the same point
      const unsigned comment = l.octet() % 3;
      if (comment == 0) {
        b.h->pas_arriere();
      } else if (comment == 1) {
        b.h->retour_point_arret(b.arrets);
      } else {
        const uint64_t recul = l.mot() * (1 + l.octet());
        b.h->revient_a(m.instructions > recul ? m.instructions - recul : 0);
      }
      b.depense += t.instructions - m.instructions;
      rejoint(b);
      compare(b, "retour puis avance");
      break;
    }
    case 19: {  // "Qui a change ceci ?"
      const cible_historique cible{
          static_cast<cible_historique::sorte>(l.octet() % 4), l.mot()};
      if (cible.type == cible_historique::sorte::broche &&
          cible.numero >= nb_broches)
        break;
      bool complet = false;
      b.h->qui_a_change(cible, 20, &complet);
      compare(b, "qui a change ceci");
      break;
    }
  }
  compare(b, "apres une action");
  const historique& h = *b.h;
  verifie(h.octets() <= h.borne() || h.nombre_instantanes() <= 2,
          "borne de l'historique", std::to_string(h.octets()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The CPU's diagnostics ("pas encore la", "fonction inexistante!") go to
  // std::cerr: silenced; the sanitizers and libFuzzer keep stderr.
  static std::ofstream nulle("/dev/null");
  std::cerr.rdbuf(nulle.rdbuf());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
  lecteur l{octets, taille};
  banc b;
  const unsigned configuration = l.octet();
  const modele_machine modele =
      configuration & 1 ? modele_machine::plat : modele_machine::e9;
  b.m.reset(new machine(modele));
  b.temoin.reset(new machine(modele));
  // The program at $b600, then a few cells anywhere (vectors...).
  std::vector<unsigned char> image(l.octet() * 2);
  for (unsigned char& o : image) o = static_cast<unsigned char>(l.octet());
  std::pair<unsigned short, unsigned char> cellules[4];
  for (auto& c : cellules)
    c = {static_cast<unsigned short>(0xFFC0 | l.octet()),
         static_cast<unsigned char>(l.octet())};
  for (machine* x : {b.m.get(), b.temoin.get()}) {
    x->choisit_mode(!(configuration & 2));
    for (std::size_t i = 0; i < image.size(); ++i)
      x->ecrit_octet(static_cast<unsigned short>(0xB600 + i), image[i]);
    for (const auto& c : cellules) x->ecrit_octet(c.first, c.second);
    x->reset();
  }
  b.h.reset(new historique(*b.m));
  b.h->fixe_intervalle(1u << (10 + (configuration >> 2) % 8));
  b.h->fixe_borne(std::size_t(256) << (10 + (configuration >> 5) % 4));
  b.h->demarre();
  while (!l.fini() && b.depense < budget_instructions) un_pas(b, l);
  return 0;
}
