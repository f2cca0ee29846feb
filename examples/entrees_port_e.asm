* entrees_port_e.asm -- lire les entrees du port E et les recopier.
*
* Le port E (adresse $100A) n'a que des entrees : cliquez sur ses
* boutons dans le panneau "Port E" pour changer ses bits. Le programme
* lit ces bits en boucle et :
*   - les recopie tels quels sur le port B (sorties, $1004) ;
*   - envoie leur complement (chaque bit inverse) sur le port C, dont
*     tous les bits sont mis en sortie par DDRC ($1007).
* Faites-le tourner pas a pas : apres chaque clic sur un bouton du
* port E, les ports B et C suivent au tour de boucle suivant.

PORTB   EQU     $1004           registre de donnees du port B
PORTC   EQU     $1003           registre de donnees du port C
DDRC    EQU     $1007           direction du port C : 1 = sortie
PORTE   EQU     $100A           registre de donnees du port E (entrees)

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        LDAA    #$FF
        STAA    DDRC            les huit bits du port C en sortie

lecture
        LDAA    PORTE           A = les entrees du port E
        STAA    PORTB           recopiees sur le port B
        COMA                    A = chaque bit inverse
        STAA    PORTC           envoye sur le port C
        BRA     lecture         et on relit

        END     debut
