// The pseudo-terminal bridge. See pont_pty.h.
#include "serie/pont_pty.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

pont_pty::~pont_pty() { ferme(); }

bool pont_pty::ouvre(std::string& erreur) {
  ferme();
  int esclave = -1;
  char nom[256] = "";
  if (openpty(&maitre_, &esclave, nom, nullptr, nullptr) != 0) {
    erreur = std::string("openpty : ") + std::strerror(errno);
    maitre_ = -1;
    return false;
  }
  // Raw before anyone opens it: a client that sets nothing gets the bytes
  // as they are, and nothing written by the SCI comes back as an echo.
  termios t;
  if (tcgetattr(esclave, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(esclave, TCSANOW, &t);
  }
  // Only the other side holds the device: its closing is seen here.
  close(esclave);
  fcntl(maitre_, F_SETFL, fcntl(maitre_, F_GETFL) | O_NONBLOCK);
  fcntl(maitre_, F_SETFD, FD_CLOEXEC);
  chemin_ = nom;
  relie_ = raccroche_ = false;
  reserve_.clear();
  perdus_ = 0;
  return true;
}

void pont_pty::ferme() {
  if (maitre_ >= 0) close(maitre_);
  maitre_ = -1;
  chemin_.clear();
}

pont_pty::etat pont_pty::interroge() {
  if (maitre_ < 0) return etat::ferme;
  if (raccroche_) return etat::raccroche;
  pollfd p{maitre_, POLLIN, 0};
  if (poll(&p, 1, 0) >= 0) {
    // The master hangs up while no one has the device open.
    if (p.revents & POLLHUP) {
      if (relie_) raccroche_ = true;
    } else {
      relie_ = true;
    }
  }
  if (raccroche_) return etat::raccroche;
  return relie_ ? etat::relie : etat::attente;
}

std::string pont_pty::lit(std::size_t max) {
  std::string octets;
  if (maitre_ < 0) return octets;
  char tampon[4096];
  while (octets.size() < max) {
    const ssize_t n =
        read(maitre_, tampon, std::min(sizeof tampon, max - octets.size()));
    if (n > 0) {
      octets.append(tampon, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;  // EAGAIN: nothing more; EIO: nobody has the device open
  }
  if (!octets.empty()) relie_ = true;
  vide_reserve();
  return octets;
}

void pont_pty::vide_reserve() {
  while (!reserve_.empty() && relie_ && !raccroche_) {
    const ssize_t n = write(maitre_, reserve_.data(), reserve_.size());
    if (n > 0) {
      reserve_.erase(0, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
}

void pont_pty::ecrit(const std::string& octets) {
  if (maitre_ < 0 || raccroche_) return;
  reserve_ += octets;
  if (reserve_.size() > reserve_max) {
    const std::size_t trop = reserve_.size() - reserve_max;
    reserve_.erase(0, trop);
    perdus_ += trop;
  }
  vide_reserve();
}
