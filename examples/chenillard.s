; chenillard.s -- un chenillard sur les sorties du port B.
;
; Un seul bit allume parcourt le port B (adresse 0x1004) du bit 0 au
; bit 7, puis recommence au bit 0. Executez-le pas a pas avec le bouton
; "@->|" : l'attente ne dure que trois tours de boucle, et le panneau
; "Port B" montre le bit qui avance.

PORTB   = 0x1004                ; registre de donnees du port B (sorties)
NB_TOURS = 3                    ; duree de l'attente, en tours de boucle

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        ldaa    #0x01           ; A = 00000001 : seul le bit 0 est allume

allume:
        staa    PORTB           ; le motif de A sort sur le port B
        ldab    #NB_TOURS       ; B compte les tours d'attente
attente:
        decb                    ; un tour de moins...
        bne     attente         ; ...on boucle tant que B n'est pas nul

        lsla                    ; le bit allume passe au rang suivant
        bne     allume          ; encore dans l'octet : on l'affiche
        ldaa    #0x01           ; sorti par le bit 7 : on repart du bit 0
        bra     allume
