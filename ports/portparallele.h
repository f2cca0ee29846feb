// One parallel port panel of the main window: a title, the port's latched
// value in binary, a bit button per pin (red: output driven by the
// program, green: input toggled by the user; an LED in it lit while the
// pin is at 1; port D has six) and, for ports C and D, the direction
// register in binary under its own title.
//
// In the flat model the panel keeps the port in memory: input bits it
// writes into the data register, output bits it takes from there. In the
// E9 model the port is the chip's: the panel shows its pin levels and
// directions and drives its input pins.
#ifndef TAMRIX_PORTS_PORTPARALLELE_H
#define TAMRIX_PORTS_PORTPARALLELE_H

#include <string>

class Fl_Window;
class Fl_Widget;
class SIM_class;
class mem_64k;
class machine;

class portparallele {
 public:
  Fl_Window* fenetre_port;
  Fl_Widget* boutons[8];  // index = bit number
  mem_64k* mem;
  unsigned char valeur;  // output bits from memory, input bits from the user
  unsigned char sens;    // 1 = output bit, 0 = input bit
  unsigned char force_sortie;
  unsigned char force_entree;  // wins over force_sortie and the DDR
  int x_port;
  int y_port;
  std::string nom;
  unsigned short adr_donnee;
  Fl_Widget* aff_valeur;
  int x_ddr;
  int y_ddr;
  std::string nom_ddr;  // empty: the port has no direction register
  unsigned short adr_ddr;
  Fl_Widget* aff_ddr;
  // The machine whose port this is (0 = A ... 4 = E), when it has one.
  machine* machine_sim;
  int numero;

  portparallele();

  // Adds the panel's widgets to the main window at (x, y), sets the data
  // register to 0xFF and the direction register to the always-output mask.
  void configure(SIM_class* forme, int x, int y, const char* nom_port,
                 unsigned short adresse_donnee, int x_dir, int y_dir,
                 const char* nom_dir, unsigned short adresse_dir,
                 unsigned char sortie, unsigned char entree, mem_64k* m);
  // Recomputes the directions and recolours the buttons.
  void maj_etat_boutons();
  // Toggles the input bit whose button `objet` is; writes the latch into
  // the data register. 1 when `objet` was one of this panel's input bits.
  int react_in(Fl_Widget* objet);
  // After an instruction: output bits from the data register.
  void react_out();
  // Whether the LED of a bit button is lit (the pin's level as shown).
  bool niveau_affiche(int bit) const;
  // Whether the port has a pin for this bit (port D: PD0-PD5 only).
  bool broche_presente(int bit) const { return numero != 3 || bit < 6; }

 private:
  bool de_la_puce() const;
  void montre_niveaux();
  void ajoute_titre(int x, int y, const char* texte);
  Fl_Widget* ajoute_affichage(int x, int y);
};

#endif
