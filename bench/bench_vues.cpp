// Time from a step ("@->|") to the views redrawn on the X server, in the
// real main window: the command loop's pass for the button (registers, the
// disassembly with its labels and branch targets, ports, dump, the source
// view when it is shown), FLTK's flush, and the X server's answer. On the
// light chaser, as its S19 image (no symbols; branch targets by address)
// and as its source (assembled once: labels, line table), with the source
// view hidden and shown. Built with the GUI only; needs a display
// (tools/bench.sh gives it an Xvfb one). Left out: the window manager, the
// compositor.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/x.H>
#include <benchmark/benchmark.h>

#include <string>

#include "app/simulateur.h"
#include "ui/sim_class.h"
#if __has_include("ui/fenetres_source.h")
#include "ui/fenetres_source.h"
#define TAMRIX_VUE_SOURCE 1
#endif

namespace {

void sans_alerte(const char*, const char*, const char*, int) {}

simulateur& simulateur_mesure() {
  static simulateur* sim = [] {
    simulateur::alerte = sans_alerte;
    static char nom[] = "tamrix";
    static char* argv[] = {nom, nullptr};
    return new simulateur(1, argv);
  }();
  return *sim;
}

void BM_pas_jusqu_aux_vues(benchmark::State& state, const char* programme,
                           bool vue_source) {
  simulateur& sim = simulateur_mesure();
  const std::string chemin =
      std::string(TAMRIX_SOURCE_DIR) + "/examples/" + programme;
  if (!sim.charge_programme(chemin.c_str())) {
    state.SkipWithError("this build does not open that program");
    return;
  }
#ifdef TAMRIX_VUE_SOURCE
  if (vue_source)
    sim.debogueur.montre_source();
  else
    sim.debogueur.source->fenetre->hide();
#else
  if (vue_source) {
    state.SkipWithError("no source view in this build");
    return;
  }
#endif
  Fl::flush();
  XSync(fl_display, False);
  while (Fl::check() && sim.objet_suivant()) {
  }
  for (auto _ : state) {
    sim.forme_sim->bouton_pas->do_callback();
    sim.traite_objet(sim.objet_suivant());
    Fl::flush();
    XSync(fl_display, False);
  }
}

}  // namespace

BENCHMARK_CAPTURE(BM_pas_jusqu_aux_vues, s19, "chenillard.s19", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_pas_jusqu_aux_vues, source, "chenillard.s", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_pas_jusqu_aux_vues, source_et_vue, "chenillard.s", true)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
