; eeprom.s -- ecrire une table de 8 octets dans l'EEPROM interne du
; 68HC11E9, puis la relire pour verifier.
;
; L'EEPROM ($b600-$b7ff) ne s'ecrit pas comme de la RAM : un simple STAA
; y est ignore, comme sur la puce (tamrix le signale a cote du compteur de
; cycles). Pour ecrire un octet, il faut la sequence du registre PPROG
; ($103b) :
;   1. PPROG = $02 (EELAT)        l'EEPROM "verrouille" la prochaine
;                                 ecriture au lieu de l'executer ;
;   2. STAA adresse               l'adresse et la donnee sont retenues ;
;   3. PPROG = $03 (EELAT+EPGM)   la tension de programmation est
;                                 appliquee (EPGM seulement apres EELAT,
;                                 jamais les deux d'un coup) ;
;   4. attendre 10 ms             20 000 cycles E a 2 MHz : plus court,
;                                 l'octet ne change pas ;
;   5. PPROG = $00                fin.
; Programmer ne peut que faire passer des bits de 1 a 0 : l'octet devient
; (ancien ET nouveau). On l'efface donc d'abord (ERASE+BYTE : PPROG = $16
; puis $17), ce qui le remet a $ff.
;
; Au reset, BPROT ($1035) protege toute l'EEPROM ; on ne peut lever cette
; protection que dans les 64 premiers cycles : c'est la premiere
; instruction du programme.
;
; Tant que EELAT vaut 1, l'EEPROM ne peut pas etre lue (elle rend $ff) :
; ce programme ne peut donc pas s'executer depuis l'EEPROM, la ou sont
; les autres exemples. Il est place en $c000, dans la memoire externe de la
; carte (mode etendu), et le vecteur de reset ($fffe) pointe sur lui.
;
; A la fin, la table est en $b700-$b707 (DUMP MEMOIRE) et ERREURS ($0000)
; compte les octets relus differents de la table : 0 attendu. L'EEPROM
; garde son contenu apres un reset ; "Options > Effacer l'EEPROM" la remet
; a $ff.

PPROG   = 0x103b                ; programmation de l'EEPROM
BPROT   = 0x1035                ; protection de l'EEPROM par blocs
EPGM    = 0x01                  ; bits de PPROG
EELAT   = 0x02
ERASE   = 0x04
BYTE    = 0x10
CIBLE   = 0xb700                ; ou ranger la table dans l'EEPROM
N       = 8                     ; taille de la table
ERREURS = 0x0000                ; octets mal relus (RAM interne)

        .sect .text
        .globl _start
_start:
        clr     BPROT           ; leve la protection (64 premiers cycles)
        lds     #0x01ff         ; pile en RAM interne
        ldx     #table          ; X : l'octet a copier
        ldy     #CIBLE          ; Y : ou l'ecrire
copie:
        ldaa    0,x
        bsr     efface          ; l'octet de l'EEPROM revient a $ff...
        bsr     programme       ; ... puis recoit A
        inx
        iny
        cpx     #table+N
        bne     copie

        clr     *ERREURS        ; relecture : l'EEPROM se lit comme la RAM
        ldx     #table
        ldy     #CIBLE
compare:
        ldaa    0,x
        cmpa    0,y
        beq     suivant
        inc     *ERREURS        ; un octet different
suivant:
        inx
        iny
        cpx     #table+N
        bne     compare
fin:
        bra     fin             ; boucle sur place : fin du programme

; efface : remet a $ff l'octet de l'EEPROM d'adresse Y (A est garde).
efface:
        ldab    #BYTE+ERASE+EELAT
        stab    PPROG           ; effacement d'un octet, verrou
        staa    0,y             ; l'adresse est retenue (la donnee importe peu)
        ldab    #BYTE+ERASE+EELAT+EPGM
        stab    PPROG           ; tension appliquee
        bsr     attend_10ms
        clr     PPROG           ; fin de l'effacement
        rts

; programme : ecrit A dans l'octet de l'EEPROM d'adresse Y.
programme:
        ldab    #EELAT
        stab    PPROG           ; verrou
        staa    0,y             ; adresse et donnee retenues
        ldab    #EELAT+EPGM
        stab    PPROG           ; tension appliquee
        bsr     attend_10ms
        clr     PPROG           ; fin de la programmation
        rts

; attend_10ms : au moins 20 000 cycles E, soit 10 ms a 2 MHz.
attend_10ms:
        pshx
        ldx     #3334           ; 3334 tours de 6 cycles = 20 004 cycles
tour:
        dex                     ; 3 cycles
        bne     tour            ; 3 cycles
        pulx
        rts

table:
        .byte   0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0xde, 0xf0

; Vecteurs d'interruption ($ffd6-$ffff), dans la ROM de la puce : seul
; celui du reset sert.
        .section .vecteurs,"a"
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   _start          ; $fffe : reset
