// Control and command ids of the main window, shared by the resource script
// and the window logic. Ids only: the templates live in the resource script.
#pragma once

// Commands (menu items and buttons)
#define IDM_INIT 1
#define IDM_HELP_CONTENTS 2
#define IDM_ABOUT 3
#define IDC_SOLVE 4
#define IDM_OPEN 5
#define IDM_EXIT 6
#define IDC_REFRESH 7
#define IDC_EQUAL 8
#define IDC_EMPIRICAL 9
#define IDC_REPORT 10
#define IDM_COMPARE 11

// Model choice
#define IDC_MODEL_LABEL 20
#define IDC_MODEL_COMBO 21

// Parameter fields: label, second label, edit, ">" and "<" buttons
#define IDC_BETAT_LABEL 31
#define IDC_BETAT_LABEL2 32
#define IDC_BETAT_EDIT 33
#define IDC_BETAT_UP 34
#define IDC_BETAT_DOWN 35
#define IDC_KAPPA_LABEL 41
#define IDC_KAPPA_EDIT 42
#define IDC_KAPPA_UP 43
#define IDC_KAPPA_DOWN 44
#define IDC_PIA_LABEL 51
#define IDC_PIA_LABEL2 52
#define IDC_PIA_EDIT 53
#define IDC_PIA_UP 54
#define IDC_PIA_DOWN 55
#define IDC_PIC_LABEL 61
#define IDC_PIC_LABEL2 62
#define IDC_PIC_EDIT 63
#define IDC_PIC_UP 64
#define IDC_PIC_DOWN 65
#define IDC_PIG_LABEL 71
#define IDC_PIG_LABEL2 72
#define IDC_PIG_EDIT 73
#define IDC_PIG_UP 74
#define IDC_PIG_DOWN 75
#define IDC_PIT_LABEL 81
#define IDC_PIT_LABEL2 82
#define IDC_PIT_EDIT 83

// Criterion display
#define IDC_CRITERION_LABEL 91
#define IDC_CRITERION_VALUE 92

// Count grids and gauge
#define IDC_OBSERVED_FRAME 101
#define IDC_OBSERVED_GRID 102
#define IDC_EXPECTED_FRAME 111
#define IDC_EXPECTED_GRID 112
#define IDC_GAUGE 121

// Criterion buttons
#define IDC_LIKELIHOOD 131
#define IDC_LEAST_SQUARES 132

// d, substitutions per site, for the parameters shown
#define IDC_D_LABEL 141
#define IDC_D_VALUE 142

// The pair dialog: its OK and Cancel are the system's IDOK and IDCANCEL
#define IDC_PAIR_OK 1
#define IDC_PAIR_CANCEL 2
#define IDC_PAIR_FIRST 151
#define IDC_PAIR_SECOND 152
#define IDC_AMBIGUITY_SKIP 153
#define IDC_AMBIGUITY_AVERAGE 154
#define IDC_AMBIGUITY_RESOLVE 155

// Notification codes the command table answers
#define DYVERN_CBN_SELCHANGE 1
#define DYVERN_EN_UPDATE 0x400
