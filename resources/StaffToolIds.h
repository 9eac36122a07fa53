// Dialog ids of the staff tools: staff properties and its pages, the staff lists, Find, Goto and
// Transpose.
#pragma once

#define IDD_SCOREREVIEW        529
#define IDD_MUTELIST           545
#define IDD_NTNPROP_INSTRUMENT 548
#define IDD_STAFFTRANSPOSE     552
#define IDD_GOTOMEASURE        562
#define IDD_STAFFPROP_GENERAL  586
#define IDD_STAFFPROP_VISUAL   587
#define IDD_STAFFPROP_MIDI     588
#define IDD_STAFFPROPERTIES    589
#define IDD_MOVESTAFF          590
#define IDD_FIND               607
#define IDD_AUDITSPELLWARN     553
#define IDD_TRANSPOSEWARN      606
#define IDD_LYRICCONFIG        555
#define IDD_LYRICLINE          556
#define IDD_STAFFLYRICS        557
#define IDD_NTNPROP_BARLINE    539
#define IDD_NTNPROP_NOTES      544
#define IDD_NTNPROP_RESTS      592
#define IDD_NTNPROPERTIES      601
#define IDD_NTNPROP_VISIBILITY 602
#define IDD_NTNPROP_PLACEMENT  604
