// The results of a run as JSON. See json.h.
#include "tools/tamrix-run/json.h"

#include <nlohmann/json.hpp>

#include "cpu/ccr.h"
#include "serie/dialogue.h"

namespace {

using json = nlohmann::json;

// Bytes as a JSON string, each byte the character of the same number
// (Latin-1), so that any byte survives and ASCII reads as itself.
std::string en_latin1(const std::vector<unsigned char>& octets) {
  std::string texte;
  for (unsigned char o : octets) {
    if (o < 0x80) {
      texte += static_cast<char>(o);
    } else {
      texte += static_cast<char>(0xC0 | o >> 6);
      texte += static_cast<char>(0x80 | (o & 0x3F));
    }
  }
  return texte;
}

}  // namespace

std::string texte_json(const machine& m, const bilan_run& bilan,
                       const std::vector<plage_dump>& dumps,
                       const dialogue_sci* script,
                       const std::vector<std::string>& lignes_carte) {
  const interpreteur& cpu = m.cpu;
  json j;
  j["registers"] = {
      {"PC", cpu.PC}, {"A", cpu.A}, {"B", cpu.B},   {"D", cpu.A << 8 | cpu.B},
      {"X", cpu.X},   {"Y", cpu.Y}, {"SP", cpu.SP}, {"CCR", cpu.CCR}};
  const char* const noms = "SXHINZVC";
  json drapeaux = json::object();
  for (int bit = 0; bit < 8; ++bit)
    drapeaux[std::string(1, noms[bit])] = ((cpu.CCR >> (7 - bit)) & 1) != 0;
  j["flags"] = drapeaux;
  j["cycles"] = bilan.cycles;
  j["steps"] = bilan.pas;
  j["stop"] = nom_raison(bilan.raison);
  j["exit_status"] = statut_sortie(bilan.raison);
  j["model"] = m.e9() ? "e9" : "flat";
  json plages = json::array();
  for (const plage_dump& p : dumps) {
    json octets = json::array();
    for (unsigned a = p.debut; a <= p.fin; ++a)
      octets.push_back(m.memoire.consulte(static_cast<unsigned short>(a)));
    plages.push_back({{"range", p.texte},
                      {"start", p.debut},
                      {"end", p.fin},
                      {"bytes", octets}});
  }
  j["dumps"] = plages;
  if (!lignes_carte.empty()) j["board"] = lignes_carte;
  json refus = json::array();
  for (const acces_refuse& a : m.acces_refuses())
    refus.push_back({{"address", a.adresse},
                     {"instruction", a.pc},
                     {"text", carte::texte_refus(a, true)}});
  j["refused"] = {{"count", m.nombre_refus()}, {"addresses", refus}};
  if (m.e9())
    j["sci"] = {{"transcript", en_latin1(m.sortie_sci)},
                {"sent", m.octets_sci_emis()},
                {"lost", m.perdus_sci()},
                {"waiting", m.file_sci()}};
  else
    j["sci"] = nullptr;
  if (script) {
    json s = {{"passed", script->reussi()},
              {"steps", script->nombre()},
              {"done", script->reussi() ? script->nombre() : script->etape()}};
    if (script->echoue()) {
      s["failed_step"] = script->etape() + 1;
      s["line"] = script->etape_courante().ligne;
      s["message"] = script->message(true);
    }
    j["script"] = s;
  }
  // Any byte above is valid UTF-8; the object stays on one line.
  return j.dump();
}
