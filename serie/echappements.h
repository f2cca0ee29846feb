// Bytes written as text for the serial line: the escapes of --sci-in and
// of the scripts' strings (\r, \n, \t, \\, \" and \xNN), and the way back,
// one line of printable ASCII for messages.
#ifndef TAMRIX_SERIE_ECHAPPEMENTS_H
#define TAMRIX_SERIE_ECHAPPEMENTS_H

#include <string>

// Decodes `texte` into `octets`. False at the first unknown sequence,
// given in `fautive` ("\q", "\xG1"); `octets` then holds what came before.
bool decode_echappements(const std::string& texte, std::string& octets,
                         std::string& fautive);

// Printable ASCII as is, \r, \n, \t, \\, \" and \xNN for the rest.
std::string ecrit_echappements(const std::string& octets);

#endif
