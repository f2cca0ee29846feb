// The ELF loader: a linked 68HC11 program (ELF32, big-endian, EM_68HC11)
// as GNU ld writes it, read with elfutils' libelf (file, segments, sections,
// symbols) and libdw (DWARF line table).
//
// The whole file is checked before anything is stored: its kind, class,
// byte order and machine, that every header, section and segment lies
// within the file, and that every loadable segment lies below 0x10000 by
// both its load and its run address. Then the bytes are placed in a copy of
// the image, which replaces memory only when the symbols and lines have been
// read too; any failure leaves memory, entry point and debug information as
// they were.
//
// Bytes go to their load address (LMA, the segment's physical address), as
// objcopy places them in an S19 file: both images of one program are the
// same. Of a segment only the parts that hold an allocated section are
// stored: GNU ld maps the ELF and program headers in front of .text, and
// those bytes are no part of the program. A file without section headers
// has its segments stored whole. Left out: .bss (memory there keeps its
// contents, as with an S19 file), relocation, relocatable objects (they have
// no segment and are refused), and the DWARF information other than lines.
// The file is read once, a regular file of at most 64 MiB (text/lecture.h),
// and libelf works on a copy of its bytes in memory.
#include <dwarf.h>
#include <elfutils/libdw.h>
#include <gelf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "memory/mem_64k.h"
#include "memory/programme.h"
#include "memory/symboles.h"
#include "text/lecture.h"

namespace {

// Largest file read (text/lecture.h): a program of 64 KiB with its
// symbols and DWARF lines is far smaller.
constexpr std::size_t taille_fichier_max = std::size_t(64) << 20;

// Owns what is open while one file is read: the file's bytes, read once
// with a bound; libelf's own copy of them (it may convert in place), which
// lives until elf_end.
struct fichier_ouvert {
  std::string octets;
  std::vector<char> image;
  Elf* elf = nullptr;
  Dwarf* dwarf = nullptr;
  ~fichier_ouvert() {
    if (dwarf != nullptr) dwarf_end(dwarf);
    if (elf != nullptr) elf_end(elf);
  }
};

std::string hex4(unsigned long long valeur) {
  char texte[24];
  std::snprintf(texte, sizeof texte, "$%04llx", valeur);
  return texte;
}

bool dans_le_fichier(unsigned long long debut, unsigned long long taille,
                     std::size_t taille_fichier) {
  return debut <= taille_fichier && taille <= taille_fichier - debut;
}

const char* const tronque = "fichier tronque ou endommage";

// Kind, class, byte order and machine. `magique` tells whether the file
// starts like an ELF file, to tell a short file from another kind of file.
std::string verifie_en_tete(Elf* elf, bool magique, GElf_Ehdr& en_tete) {
  if (elf == nullptr || elf_kind(elf) != ELF_K_ELF)
    return magique ? tronque : "pas un fichier ELF";
  const char* ident = elf_getident(elf, nullptr);
  if (ident == nullptr || gelf_getehdr(elf, &en_tete) == nullptr)
    return tronque;
  if (ident[EI_CLASS] != ELFCLASS32) return "ELF 64 bits (ELF32 attendu)";
  if (ident[EI_DATA] != ELFDATA2MSB)
    return "ELF petit-boutiste (gros-boutiste attendu)";
  if (en_tete.e_machine != EM_68HC11)
    return "programme pour une autre machine (numero " +
           std::to_string(en_tete.e_machine) +
           ", 68HC11 = " + std::to_string(EM_68HC11) + ")";
  if (en_tete.e_entry > 0xFFFF)
    return "point d'entree au-dela de $ffff (" + hex4(en_tete.e_entry) + ")";
  return "";
}

// Every section whose contents are in the file, checked to lie within it.
std::string lit_sections(Elf* elf, const GElf_Ehdr& en_tete,
                         std::size_t taille_fichier,
                         std::vector<GElf_Shdr>& sections,
                         std::vector<Elf_Scn*>& descripteurs,
                         bool& a_du_dwarf) {
  std::size_t nombre = 0;
  if (elf_getshdrnum(elf, &nombre) != 0) return tronque;
  if (en_tete.e_shoff != 0 && nombre == 0) return tronque;
  if (nombre > 0 && !dans_le_fichier(en_tete.e_shoff,
                                     static_cast<unsigned long long>(nombre) *
                                         en_tete.e_shentsize,
                                     taille_fichier))
    return tronque;
  std::size_t index_noms = 0;
  const bool noms = nombre > 0 && elf_getshdrstrndx(elf, &index_noms) == 0;
  a_du_dwarf = false;
  for (Elf_Scn* scn = elf_nextscn(elf, nullptr); scn != nullptr;
       scn = elf_nextscn(elf, scn)) {
    GElf_Shdr s;
    if (gelf_getshdr(scn, &s) == nullptr) return tronque;
    if (s.sh_type != SHT_NOBITS &&
        !dans_le_fichier(s.sh_offset, s.sh_size, taille_fichier))
      return tronque;
    const char* nom = noms ? elf_strptr(elf, index_noms, s.sh_name) : nullptr;
    if (nom != nullptr && std::strcmp(nom, ".debug_info") == 0)
      a_du_dwarf = true;
    sections.push_back(s);
    descripteurs.push_back(scn);
  }
  return "";
}

// The loadable segments that hold bytes, checked.
std::string lit_segments(Elf* elf, std::size_t taille_fichier,
                         std::vector<GElf_Phdr>& segments) {
  std::size_t nombre = 0;
  if (elf_getphdrnum(elf, &nombre) != 0) return tronque;
  for (std::size_t i = 0; i < nombre; ++i) {
    GElf_Phdr p;
    if (gelf_getphdr(elf, static_cast<int>(i), &p) == nullptr) return tronque;
    if (p.p_type != PT_LOAD) continue;
    if (!dans_le_fichier(p.p_offset, p.p_filesz, taille_fichier))
      return tronque;
    if (p.p_filesz > p.p_memsz) return "segment incoherent (taille)";
    const unsigned long long bas = std::min(p.p_paddr, p.p_vaddr);
    const unsigned long long haut = std::max(p.p_paddr, p.p_vaddr);
    if (p.p_memsz > 0x10000 || haut > 0x10000 - p.p_memsz)
      return "segment au-dela de $ffff (" + hex4(bas) + " + " +
             std::to_string(p.p_memsz) + " octets)";
    if (p.p_filesz > 0) segments.push_back(p);
  }
  if (segments.empty())
    return "aucun segment chargeable (fichier objet non lie ?)";
  return "";
}

// Stores the program's bytes into `copie`; returns how many.
std::size_t place_octets(const unsigned char* brut,
                         const std::vector<GElf_Shdr>& sections,
                         const std::vector<GElf_Phdr>& segments,
                         std::vector<unsigned short>& copie) {
  std::size_t nombre = 0;
  auto copie_octets = [&](unsigned long long decalage, unsigned long long n,
                          unsigned long long adresse) {
    for (unsigned long long i = 0; i < n; ++i)
      // The marks of an on-chip system stay (mem_64k.h).
      copie[adresse + i] = static_cast<unsigned short>(
          (copie[adresse + i] & 0xFF00) | brut[decalage + i]);
    nombre += n;
  };
  if (sections.empty()) {
    for (const GElf_Phdr& p : segments)
      copie_octets(p.p_offset, p.p_filesz, p.p_paddr);
    return nombre;
  }
  for (const GElf_Shdr& s : sections) {
    if ((s.sh_flags & SHF_ALLOC) == 0 || s.sh_type == SHT_NOBITS ||
        s.sh_size == 0)
      continue;
    for (const GElf_Phdr& p : segments) {
      if (s.sh_offset < p.p_offset || s.sh_offset - p.p_offset > p.p_filesz ||
          s.sh_size > p.p_filesz - (s.sh_offset - p.p_offset))
        continue;
      copie_octets(s.sh_offset, s.sh_size,
                   p.p_paddr + (s.sh_offset - p.p_offset));
      break;
    }
  }
  return nombre;
}

std::string lit_symboles(Elf* elf, const std::vector<GElf_Shdr>& sections,
                         const std::vector<Elf_Scn*>& descripteurs,
                         infos_debogage& infos) {
  const std::size_t taille_symbole = gelf_fsize(elf, ELF_T_SYM, 1, EV_CURRENT);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (sections[i].sh_type != SHT_SYMTAB) continue;
    Elf_Data* donnees = elf_getdata(descripteurs[i], nullptr);
    if (donnees == nullptr) return "table des symboles illisible";
    const std::size_t nombre = donnees->d_size / taille_symbole;
    for (std::size_t n = 0; n < nombre; ++n) {
      GElf_Sym sym;
      if (gelf_getsym(donnees, static_cast<int>(n), &sym) == nullptr)
        return "table des symboles illisible";
      const int type = GELF_ST_TYPE(sym.st_info);
      if (type == STT_SECTION || type == STT_FILE ||
          sym.st_shndx == SHN_UNDEF || sym.st_shndx == SHN_COMMON ||
          sym.st_value > 0xFFFF)
        continue;
      const char* nom = elf_strptr(elf, sections[i].sh_link, sym.st_name);
      if (nom == nullptr) return "table des symboles illisible";
      if (!infos_debogage::nom_garde(nom)) continue;
      infos.ajoute_symbole({nom, static_cast<unsigned short>(sym.st_value),
                            sym.st_shndx != SHN_ABS});
    }
  }
  return "";
}

// The line table of one compilation unit.
bool lit_lignes_unite(Dwarf_Die& unite, infos_debogage& infos) {
  if (!dwarf_hasattr(&unite, DW_AT_stmt_list)) return true;
  Dwarf_Lines* lignes = nullptr;
  std::size_t nombre = 0;
  if (dwarf_getsrclines(&unite, &lignes, &nombre) != 0) return false;
  Dwarf_Attribute attribut;
  const char* dossier =
      dwarf_formstring(dwarf_attr(&unite, DW_AT_comp_dir, &attribut));
  std::map<const char*, std::size_t> index_fichier;
  for (std::size_t i = 0; i < nombre; ++i) {
    Dwarf_Line* ligne = dwarf_onesrcline(lignes, i);
    Dwarf_Addr adresse = 0;
    int numero = 0;
    bool fin = false;
    if (ligne == nullptr || dwarf_lineaddr(ligne, &adresse) != 0 ||
        dwarf_lineno(ligne, &numero) != 0 ||
        dwarf_lineendsequence(ligne, &fin) != 0)
      return false;
    if (adresse > 0x10000) continue;
    ligne_source l;
    l.adresse = static_cast<unsigned>(adresse);
    l.ligne = static_cast<unsigned>(std::max(numero, 0));
    l.fin_de_sequence = fin;
    const char* source = dwarf_linesrc(ligne, nullptr, nullptr);
    if (source == nullptr) source = "";
    auto trouve = index_fichier.find(source);
    if (trouve == index_fichier.end()) {
      std::string chemin = source;
      if (!chemin.empty() && chemin[0] != '/' && dossier != nullptr &&
          dossier[0] != '\0')
        chemin = (std::filesystem::path(dossier) / chemin)
                     .lexically_normal()
                     .string();
      trouve =
          index_fichier.emplace(source, infos.ajoute_fichier(chemin)).first;
    }
    l.fichier = trouve->second;
    infos.ajoute_ligne(l);
  }
  return true;
}

std::string lit_lignes(fichier_ouvert& f, infos_debogage& infos) {
  const char* illisible = "informations de debogage DWARF illisibles";
  f.dwarf = dwarf_begin_elf(f.elf, DWARF_C_READ, nullptr);
  if (f.dwarf == nullptr) return illisible;
  Dwarf_Off decalage = 0, suivant = 0;
  std::size_t taille_en_tete = 0;
  int r;
  while ((r = dwarf_nextcu(f.dwarf, decalage, &suivant, &taille_en_tete,
                           nullptr, nullptr, nullptr)) == 0) {
    Dwarf_Die unite;
    if (dwarf_offdie(f.dwarf, decalage + taille_en_tete, &unite) == nullptr ||
        !lit_lignes_unite(unite, infos))
      return illisible;
    decalage = suivant;
  }
  return r < 0 ? illisible : "";
}

std::string lit_fichier(fichier_ouvert& f, const char* chemin,
                        std::vector<unsigned short>& copie,
                        unsigned short& entree, infos_debogage& infos) {
  std::string raison;
  echec_lecture echec;
  if (!lit_fichier_borne(chemin, {taille_fichier_max}, f.octets, raison,
                         &echec))
    return echec == echec_lecture::special || echec == echec_lecture::trop_grand
               ? raison
               : "erreur de chargement fichier";
  const bool magique = f.octets.size() >= SELFMAG &&
                       std::memcmp(f.octets.data(), ELFMAG, SELFMAG) == 0;
  elf_version(EV_CURRENT);
  f.image.assign(f.octets.begin(), f.octets.end());
  f.elf =
      f.image.empty() ? nullptr : elf_memory(f.image.data(), f.image.size());
  GElf_Ehdr en_tete;
  std::string probleme = verifie_en_tete(f.elf, magique, en_tete);
  if (!probleme.empty()) return probleme;
  // The bytes as read, which libelf does not touch.
  const std::size_t taille_fichier = f.octets.size();
  const char* brut = f.octets.data();
  std::vector<GElf_Shdr> sections;
  std::vector<Elf_Scn*> descripteurs;
  std::vector<GElf_Phdr> segments;
  bool a_du_dwarf = false;
  probleme = lit_sections(f.elf, en_tete, taille_fichier, sections,
                          descripteurs, a_du_dwarf);
  if (probleme.empty())
    probleme = lit_segments(f.elf, taille_fichier, segments);
  if (probleme.empty() &&
      place_octets(reinterpret_cast<const unsigned char*>(brut), sections,
                   segments, copie) == 0)
    probleme = "aucun octet de programme";
  if (probleme.empty())
    probleme = lit_symboles(f.elf, sections, descripteurs, infos);
  if (probleme.empty() && a_du_dwarf) probleme = lit_lignes(f, infos);
  entree = static_cast<unsigned short>(en_tete.e_entry);
  return probleme;
}

}  // namespace

bool charge_elf(const char* chemin, mem_64k& mem, unsigned short& entree,
                infos_debogage& infos, std::string& erreur) {
  std::vector<unsigned short> copie(std::begin(mem.cellules),
                                    std::end(mem.cellules));
  unsigned short nouvelle_entree = 0;
  infos_debogage nouvelles;
  std::string probleme;
  {
    fichier_ouvert f;
    probleme = lit_fichier(f, chemin, copie, nouvelle_entree, nouvelles);
  }
  if (!probleme.empty()) {
    erreur = probleme == "erreur de chargement fichier"
                 ? probleme
                 : "fichier ELF refuse : " + probleme;
    return false;
  }
  nouvelles.termine();
  std::copy(copie.begin(), copie.end(), std::begin(mem.cellules));
  entree = nouvelle_entree;
  infos = std::move(nouvelles);
  return true;
}

int mem_64k::load_elf(const char* chemin, unsigned short* entree,
                      infos_debogage* infos) {
  unsigned short e = 0;
  infos_debogage i;
  std::string erreur;
  if (!charge_elf(chemin, *this, e, i, erreur)) {
    std::cerr << erreur << std::endl;
    return 0;
  }
  if (entree != nullptr) *entree = e;
  if (infos != nullptr) *infos = std::move(i);
  return 1;
}
