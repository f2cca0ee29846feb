; moniteur_rti.s -- un programme a charger dans le moniteur
; (examples/moniteur.asm) par LOAD T, puis a lancer par G C000.
;
; Il prend l'interruption temps reel par le pseudo-vecteur du moniteur
; ($CC27 : un JMP vers temps_reel), compte trois interruptions a $0000,
; puis rend la main au moniteur par SWI, avec le compte dans A.
; Assemble par tools/assemble.sh moniteur_rti.s moniteur_rti.s19 0xc000.

PV_RTI  = 0xcc27                ; pseudo-vecteur de l'interruption RTI
TMSK2   = 0x1024                ; RTII (0x40)
TFLG2   = 0x1025                ; RTIF (0x40), efface en ecrivant 1
COMPTE  = 0x0000

        .sect .text
        .globl _start
_start:
        clr     COMPTE
        ldaa    #0x7e           ; JMP etendu
        staa    PV_RTI
        ldx     #temps_reel
        stx     PV_RTI+1
        ldaa    #0x40
        staa    TFLG2           ; effacer RTIF
        staa    TMSK2           ; autoriser l'interruption
        cli
attente:
        ldaa    COMPTE
        cmpa    #3
        bne     attente
        sei
        clr     TMSK2
        swi                     ; retour au moniteur

temps_reel:
        ldaa    #0x40
        staa    TFLG2
        inc     COMPTE
        rti
