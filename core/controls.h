// controls.h: control ids of the main dialog "MAINDLG", shared by the controller, the handlers and the resources.
#pragma once

// Fields: edits, titles, byte counters, ASCII boxes, Adjust buttons, pictures.
#define IDC_EDIT0 1000
#define IDC_EDIT1 1001
#define IDC_EDIT2 1004
#define IDC_EDIT3 1009
#define IDC_EDIT_OUT 1002
#define IDC_LABEL0 1038
#define IDC_LABEL1 1036
#define IDC_LABEL2 1037
#define IDC_LABEL3 1041
#define IDC_LABEL_OUT 1054
#define IDC_COUNT0 1026
#define IDC_COUNT1 1027
#define IDC_COUNT2 1028
#define IDC_COUNT3 1031
#define IDC_COUNT_OUT 1033
#define IDC_ASCII0 1005
#define IDC_ASCII1 1006
#define IDC_ASCII2 1007
#define IDC_ASCII3 1010
#define IDC_ASCII_OUT 1008
#define IDC_ADJUST0 1023
#define IDC_ADJUST1 1024
#define IDC_ADJUST2 1025
#define IDC_ADJUST3 1030
#define IDC_ICON0 1057
#define IDC_ICON1 1058
#define IDC_ICON2 1059
#define IDC_ICON3 1060
#define IDC_ICON_OUT 1061

// Other controls of the main window.
#define IDC_PADDING 1032
#define IDC_COPY_TO_INPUT 1029
#define IDC_OPERATION_LIST 1034
#define IDC_RADIO_ECB 1042
#define IDC_RADIO_CBC 1040
#define IDC_RADIO_MAC 1044
#define IDC_GO 1035
#define IDC_CLEAR_ALL 1039
#define IDC_CLEAR_OUTPUT 1049
#define IDC_COPY_TO_CLIPBOARD 1050
#define IDC_CENTRE_PICTURE 1062
#define IDC_BLOCK_MODE_LABEL 1048
#define IDC_BLOCK_MODE_PICTURE 1056
#define IDC_HELP_TEXT 1046
#define IDC_LOGO 1047
#define IDC_CHECK_VALUE 1052
#define IDC_USE_IPEK 1066
#define IDC_ARROW_OUT 1053
#define IDC_ARROW3 1055
#define IDC_ARROW2 1063
#define IDC_ARROW1 1064

// Commands.
#define IDC_CMD_ESCAPE 40002

// About box and Version History viewer.
#define IDC_ABOUT_VERSION 1050
#define IDC_ABOUT_BUILD 1051
#define IDC_ABOUT_HISTORY 1052
#define IDC_HISTORY_TEXT 1055
