#!/usr/bin/env python3
"""Translates a Motorola-syntax 68HC11 source into GNU as syntax, for the
subset that examples/moniteur.asm uses, so that the GNU tools assemble the
same program (the benchmark's side-by-side and the byte-for-byte test).

    motorola_vers_gnu.py SOURCE.asm > SOURCE.s

The subset, and how each part is written for m68hc11-as:
  - comment lines (`*` or `;` first), a label in column 1, everything after
    the operand a comment (an inherent instruction has no operand);
  - EQU (`name = value`), FCB (.byte), FDB (.word), FCC (.ascii), END;
  - ORG: the first ORG that is followed by code starts `.text` (link it at
    its address), ORG $FFD6 starts `.vecteurs` (the vectors' section of the
    project's GNU path); an ORG followed only by RMB and EQU lays out
    variables, whose addresses are computed here (`name = 0xcc00`);
  - numbers $hex, %binary, @octal, decimal, 'c characters (written as their
    values), `*` the location counter (`.`), the operators + and -;
  - direct or extended mode chosen as Motorola's assembler chooses it: direct
    when the operand is known where it is used, lies in $00-$FF and the
    instruction has a direct form (GNU as wants `*` for direct).
Anything else stops the translation with the line that has it: a silent
mistranslation would make the comparison meaningless.
"""
import re
import sys

INHERENTS = set(
    "ABA ABX ABY ASLA ASLB ASRA ASRB CBA CLC CLI CLRA CLRB CLV COMA COMB DAA "
    "DECA DECB DES DEX DEY FDIV IDIV INCA INCB INS INX INY LSLD LSRA LSRB "
    "LSRD MUL NEGA NEGB NOP PSHA PSHB PSHX PSHY PULA PULB PULX PULY ROLA "
    "ROLB RORA RORB RTI RTS SBA SEC SEI SEV STOP SWI TAB TAP TBA TPA TSTA "
    "TSTB TSX TSY TXS TYS WAI XGDX XGDY LSLA LSLB ASLD".split())
AVEC_DIRECT = set(
    "ADCA ADCB ADDA ADDB ADDD ANDA ANDB BCLR BITA BITB BRCLR BRSET BSET CMPA "
    "CMPB CPD CPX CPY EORA EORB JSR LDAA LDAB LDD LDS LDX LDY ORAA ORAB SBCA "
    "SBCB STAA STAB STD STS STX STY SUBA SUBB SUBD".split())
BITS = {"BSET", "BCLR", "BRSET", "BRCLR"}
SECTION_VECTEURS = 0xFFD6


class Refus(Exception):
    pass


def champs(ligne):
    """Label, operation and the rest of a line (None for a comment)."""
    if not ligne.strip() or ligne[0] in "*;" or ligne.lstrip().startswith("*"):
        return None
    m = re.match(r"([^\s:]*):?\s*(\S*)\s*(.*)$", ligne)
    return m.group(1), m.group(2).upper(), m.group(3)


def operande(reste, operation):
    """The operand field of `reste` (what follows is a comment)."""
    if operation in INHERENTS or not reste or reste[0] == ";":
        return ""
    if operation == "FCC":
        fin = reste.index(reste[0], 1)
        return reste[: fin + 1]
    texte, dans_car = "", False
    for i, c in enumerate(reste):
        if dans_car:
            dans_car = False
        elif c == "'":
            dans_car = True
        elif c in " \t;":
            break
        texte += c
    return texte


def lexemes(texte):
    """The tokens of a Motorola expression: (kind, text, value)."""
    i, attend_operande = 0, True
    while i < len(texte):
        c = texte[i]
        if c == "'":
            long = 3 if texte[i + 2 : i + 3] == "'" else 2
            yield "nombre", str(ord(texte[i + 1])), ord(texte[i + 1])
            i += long
            attend_operande = False
            continue
        m = re.match(r"\$([0-9A-Fa-f]+)|%([01]+)|@([0-7]+)|(\d+)", texte[i:])
        if m and (c != "%" or attend_operande):
            if m.group(1):
                v, t = int(m.group(1), 16), "0x" + m.group(1).lower()
            elif m.group(2):
                v = int(m.group(2), 2)
                t = str(v)
            elif m.group(3):
                v = int(m.group(3), 8)
                t = str(v)
            else:
                v, t = int(m.group(4)), m.group(4)
            yield "nombre", t, v
            i += m.end()
            attend_operande = False
            continue
        m = re.match(r"[A-Za-z_.][A-Za-z0-9_.$]*", texte[i:])
        if m:
            yield "symbole", m.group(0), None
            i += m.end()
            attend_operande = False
            continue
        if c == "*" and attend_operande:
            yield "pc", "", None
            attend_operande = False
        elif c in "+-*":
            yield "operateur", c, None
            attend_operande = True
        else:
            raise Refus("caractere non traduit dans l'expression : " + texte)
        i += 1


def expression(texte):
    """A Motorola expression in GNU syntax (+ and - only when it has more
    than one operator: GNU as gives * precedence, Motorola does not)."""
    sortie, operateurs = "", 0
    for sorte, t, _ in lexemes(texte):
        if sorte == "pc":
            sortie += "."
        else:
            sortie += t
        if sorte == "operateur":
            operateurs += 1
            if t == "*" and operateurs > 1:
                raise Refus("* avec un autre operateur : " + texte)
    return sortie


def valeur(texte, symboles, pc=None):
    """The value of an expression, left to right as Motorola's assembler
    computes it, if every symbol in it is known; else None."""
    total, operateur = None, "+"
    for sorte, t, v in lexemes(texte):
        if sorte == "operateur":
            operateur = t
            continue
        if sorte == "pc":
            v = pc
        elif sorte == "symbole":
            v = symboles.get(t)
        if v is None:
            return None
        if total is None:
            total = v if operateur == "+" else -v
        elif operateur == "+":
            total += v
        elif operateur == "-":
            total -= v
        else:
            total *= v
    return None if total is None else total & 0xFFFF


def traduit(lignes):
    # First pass: which ORGs are followed by bytes.
    orgs, courant = [], None
    for ligne in lignes:
        c = champs(ligne)
        if c is None:
            continue
        if c[1] == "ORG":
            courant = [c[2].split()[0], False]
            orgs.append(courant)
        elif c[1] not in ("EQU", "RMB", "END", "") and courant is not None:
            courant[1] = True
    code_orgs = [o for o, code in orgs if code]

    symboles, sortie = {}, []
    section, pc_variables = None, None
    premier_code = True
    for numero, ligne in enumerate(lignes, 1):
        try:
            c = champs(ligne)
            if c is None:
                texte = ligne.strip()
                sortie.append("; " + texte.lstrip("*;").strip() if texte else "")
                continue
            etiquette, op, reste = c
            opd = operande(reste, op)
            if op == "EQU":
                if opd == "*" and pc_variables is None:
                    sortie.append(etiquette + ":")
                    continue
                v = valeur(opd, symboles, pc_variables)
                if v is not None:
                    symboles[etiquette] = v
                    sortie.append("%s = 0x%04x" % (etiquette, v))
                else:
                    sortie.append("%s = %s" % (etiquette, expression(opd)))
                continue
            if op == "ORG":
                adresse = valeur(opd, symboles)
                if adresse is None:
                    raise Refus("ORG sur une adresse inconnue")
                if opd not in code_orgs:
                    section, pc_variables = None, adresse
                elif adresse == SECTION_VECTEURS:
                    section, pc_variables = ".vecteurs", None
                    sortie.append('        .section .vecteurs,"a"')
                elif premier_code:
                    premier_code = False
                    section, pc_variables = ".text", None
                    sortie.append("        .sect .text")
                    sortie.append("        .globl _start")
                    sortie.append("_start:")
                else:
                    raise Refus("un seul ORG de code hors des vecteurs")
                continue
            if op == "END":
                continue
            if pc_variables is not None:
                if op == "RMB":
                    n = valeur(opd, symboles)
                    if etiquette:
                        symboles[etiquette] = pc_variables
                        sortie.append("%s = 0x%04x" % (etiquette, pc_variables))
                    pc_variables += n
                    continue
                if op == "":
                    symboles[etiquette] = pc_variables
                    sortie.append("%s = 0x%04x" % (etiquette, pc_variables))
                    continue
                raise Refus("des octets hors d'une section de code")
            texte = (etiquette + ":") if etiquette else ""
            if op == "":
                sortie.append(texte)
                continue
            if op in ("FCB", "FDB"):
                valeurs = [expression(v) if v else "0" for v in opd.split(",")]
                directive = ".byte" if op == "FCB" else ".word"
                sortie.append("%s\t%s\t%s" % (texte, directive, ",".join(valeurs)))
                continue
            if op == "FCC":
                corps = opd[1:-1].replace("\\", "\\\\").replace('"', '\\"')
                sortie.append('%s\t.ascii\t"%s"' % (texte, corps))
                continue
            if op in BITS or op in ("RMB", "FILL", "BSZ", "ZMB", "SET", "INCLUDE"):
                raise Refus(op + " n'est pas traduit")
            sortie.append("%s\t%s\t%s" % (texte, op.lower(), mode(op, opd, symboles)))
        except Refus as r:
            raise Refus("ligne %d : %s\n  %s" % (numero, r, ligne))
    return "\n".join(sortie) + "\n"


def mode(op, opd, symboles):
    """The operand of an instruction in GNU syntax."""
    if not opd:
        return ""
    if opd.startswith("#"):
        return "#" + expression(opd[1:])
    if "," in opd:
        base, registre = opd.rsplit(",", 1)
        if registre.upper() not in ("X", "Y"):
            raise Refus("operande non traduit : " + opd)
        return (expression(base) if base else "0") + "," + registre.lower()
    if opd[0] in "<>":
        raise Refus("< et > ne sont pas traduits")
    if "*" in opd and opd != "*":
        # m68hc11-as reads .+n in a branch as an offset, not an address.
        raise Refus("* dans une expression d'operande : " + opd)
    v = valeur(opd, symboles)
    if op in AVEC_DIRECT and v is not None and v <= 0xFF:
        return "*" + expression(opd)
    return expression(opd)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage : motorola_vers_gnu.py SOURCE.asm > SOURCE.s")
    with open(sys.argv[1], encoding="utf-8") as f:
        lignes = f.read().splitlines()
    try:
        sys.stdout.write(traduit(lignes))
    except Refus as r:
        sys.exit("motorola_vers_gnu.py : %s : %s" % (sys.argv[1], r))


if __name__ == "__main__":
    main()
