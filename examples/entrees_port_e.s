; entrees_port_e.s -- lire les entrees du port E et les recopier.
;
; Le port E (adresse 0x100A) n'a que des entrees : cliquez sur ses
; boutons dans le panneau "Port E" pour changer ses bits. Le programme
; lit ces bits en boucle et :
;   - les recopie tels quels sur le port B (sorties, 0x1004) ;
;   - envoie leur complement (chaque bit inverse) sur le port C, dont
;     tous les bits sont mis en sortie par DDRC (0x1007).
; Faites-le tourner pas a pas : apres chaque clic sur un bouton du
; port E, les ports B et C suivent au tour de boucle suivant.

PORTB   = 0x1004                ; registre de donnees du port B
PORTC   = 0x1003                ; registre de donnees du port C
DDRC    = 0x1007                ; direction du port C : 1 = sortie
PORTE   = 0x100A                ; registre de donnees du port E (entrees)

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        ldaa    #0xff
        staa    DDRC            ; les huit bits du port C en sortie

lecture:
        ldaa    PORTE           ; A = les entrees du port E
        staa    PORTB           ; recopiees sur le port B
        coma                    ; A = chaque bit inverse
        staa    PORTC           ; envoye sur le port C
        bra     lecture         ; et on relit
