/* Every resource, control and command number of Zumble, in one place.
 *
 * Plain #defines only: this header is read by windres as well as by the C++ sources. The numbers
 * are fixed; other code, stored settings and the resources themselves rely on them, so never
 * renumber an entry. Several command numbers are deliberately shared between windows that never
 * see each other's commands (32976 and 32977 in particular); each window has its own name here.
 */
#ifndef ZUMBLE_RESOURCE_IDS_H
#define ZUMBLE_RESOURCE_IDS_H

/* ---- Dialog templates ------------------------------------------------------------------- */
#define IDD_MAIN                    102  /* main window, holds the tab control */
#define IDD_BOOKMARKS_PAGE          109
#define IDD_BEELINES_PAGE           110
#define IDD_PARAMETERS              146
#define IDD_OPTIONS                 147
#define IDD_TOOLBAR                 148  /* floating toolbar window, no controls of its own */
#define IDD_SEARCH                  150
#define IDD_STRUCTURE_PAGE          156
#define IDD_ABOUT                   186

/* ---- Icon and menu ---------------------------------------------------------------------- */
#define IDI_ZUMBLE                  101  /* program icon; also the notification icon's uID */
#define IDR_MAIN_MENU               188

/* ---- Bitmaps: 16 x 16 pictures (16 colours) and their one-bit masks --------------------- */
#define IDB_DROPDOWN_ALT            102  /* second image of the Parameters drop-down button list */
#define IDB_DROPDOWN_ALT_MASK       103
#define IDB_HONEYCOMB               112  /* also its own mask in the search tree */
#define IDB_HONEYCOMB_MASK          113
#define IDB_BEELINE                 114
#define IDB_BEELINE_MASK            115
#define IDB_BOOKMARK                117  /* also its own mask on the Bookmarks tab */
#define IDB_GO_TO_URL               118
#define IDB_GO_TO_URL_MASK          119
#define IDB_BOOKMARK_MASK           120
#define IDB_POSITION                121
#define IDB_POSITION_MASK           122
#define IDB_DROPDOWN                123
#define IDB_DROPDOWN_MASK           124
#define IDB_ADD_BEELINE             129
#define IDB_SPARE                   130  /* carried, not used by any window */
#define IDB_DELETE_NODE             131
#define IDB_ADD_FOLDER              132
#define IDB_ADD_BEELINE_MASK        133
#define IDB_SPARE_MASK              134
#define IDB_ADD_FOLDER_MASK         135
#define IDB_DELETE_NODE_MASK        136
#define IDB_PARAMETER               137
#define IDB_PARAMETER_MASK          138  /* shared by IDB_PARAMETER and IDB_OPTION */
#define IDB_ADD_PARAMETER           139
#define IDB_DELETE_PARAMETER        140
#define IDB_DELETE_PARAMETER_MASK   141
#define IDB_ADD_PARAMETER_MASK      142
#define IDB_OPTION                  149  /* masked with IDB_PARAMETER_MASK */
#define IDB_SEARCH                  151
#define IDB_STRUCTURE               157
#define IDB_STRUCTURE_MASK          158
#define IDB_STRUCT_IMAGE            159
#define IDB_STRUCT_IMAGE_MASK       160
#define IDB_STRUCT_LINK             161
#define IDB_STRUCT_LINK_MASK        162
#define IDB_STRUCT_FORM             163
#define IDB_STRUCT_FORM_MASK        164
#define IDB_STRUCT_OTHER_INPUT      165
#define IDB_STRUCT_OTHER_INPUT_MASK 166
#define IDB_STRUCT_TEXT_INPUT       167
#define IDB_STRUCT_TEXT_INPUT_MASK  168
#define IDB_STRUCT_PASSWORD         169
#define IDB_STRUCT_SELECT           170
#define IDB_STRUCT_PASSWORD_MASK    171
#define IDB_STRUCT_SELECT_MASK      172
#define IDB_STRUCT_TEXTAREA         173
#define IDB_STRUCT_TEXTAREA_MASK    174
#define IDB_STRUCT_CHECKBOX         175
#define IDB_STRUCT_CHECKBOX_MASK    176
#define IDB_STRUCT_RADIO            177
#define IDB_STRUCT_RADIO_MASK       178
#define IDB_HIDE_RESTORE            179
#define IDB_HIDE_RESTORE_MASK       180
#define IDB_QUIT                    181
#define IDB_QUIT_MASK               182
#define IDB_OPTIONS                 183
#define IDB_OPTIONS_MASK            184
#define IDB_SEARCH_MASK             185
#define IDB_REFRESH                 189  /* its own mask */

/* ---- Bitmaps: other sizes --------------------------------------------------------------- */
#define IDB_CHECK_STATES            152  /* 48 x 16: none, unticked, ticked */
#define IDB_CHECK_STATES_MASK       153
#define IDB_ABOUT                   187  /* 164 x 314, 256 colours */

/* ---- Controls ----------------------------------------------------------------------------- */
#define IDC_STATIC                  (-1)

/* main window */
#define IDC_MAIN_TAB                1009

/* Beelines page */
#define IDC_BEELINE_TREE            1011
#define IDC_BEELINE_URL             1017
#define IDC_BEELINE_METHOD          1019
#define IDC_PARAM_LIST              1020
#define IDC_BEELINE_NAME            1022
#define IDC_BEELINE_TYPE            1071
#define IDC_NAME_LABEL              1075
#define IDC_URL_LABEL               1076
#define IDC_METHOD_LABEL            1077
#define IDC_TYPE_LABEL              1078
#define IDC_PARAMETERS_LABEL        1079
#define IDC_PARAM_TYPE_BUTTON       1038
#define IDC_PARAM_TYPE_LIST         1039

/* in-place editors shared by the Beelines page and the Parameters dialog */
#define IDC_INPLACE_EDIT            1033
#define IDC_INPLACE_PASSWORD        1042

/* Parameters dialog */
#define IDC_OPTION_BUTTON           1001
#define IDC_PARAMETERS_LIST         1050
#define IDC_OPTION_LIST             1066

/* Bookmarks page */
#define IDC_BOOKMARK_LIST           1012
#define IDC_POSITION_LIST           1029
#define IDC_POSITION_LABEL          1083

/* Structure page */
#define IDC_IMAGE_LIST              1068
#define IDC_LINK_LIST               1069
#define IDC_FORM_TREE               1070
#define IDC_HREFS_LABEL             1080
#define IDC_IMAGES_LABEL            1081
#define IDC_FORMS_LABEL             1082

/* Options dialog */
#define IDC_OPT_NEW_WINDOW          1072
#define IDC_OPT_STARTUP             1073
#define IDC_OPT_CONFIRM_EXIT        1074
#define IDC_OPT_CONFIRM_APPLY       1097
#define IDC_OPT_MONITOR_BROWSER     1098
#define IDC_HOTKEY_SEARCH           1120
#define IDC_HOTKEY_BOOKMARK         1121
#define IDC_HOTKEY_STRUCTURE        1122

/* search dialog; the kind boxes are not numbered in bit order (Video is 1107) */
#define IDC_SEARCH_TREE             1057
#define IDC_SEARCH_PHRASE           1064
#define IDC_SEARCH_PHRASE_LABEL     1065
#define IDC_SEARCH_TREE_VIEW        1099
#define IDC_KIND_SEARCH             1100
#define IDC_KIND_NEWS               1101
#define IDC_KIND_IMAGE              1102
#define IDC_KIND_AUDIO              1103
#define IDC_KIND_DIRECTORY          1104
#define IDC_KIND_SHOPPING           1105
#define IDC_KIND_GROUPS             1106
#define IDC_KIND_VIDEO              1107
#define IDC_KIND_REFERENCE          1108
#define IDC_KIND_ENCYCLOPEDIA       1109
#define IDC_KIND_DICTIONARY         1110
#define IDC_KIND_THESAURUS          1111
#define IDC_KIND_USAGE              1112
#define IDC_KIND_QUOTATIONS         1113

/* About dialog */
#define IDC_ABOUT_DESCRIPTION       1094
#define IDC_ABOUT_TITLE             1095

/* ---- Commands ----------------------------------------------------------------------------- */
/* menu bar 188 */
#define ID_MENU_OPTIONS             40001
#define ID_MENU_HIDE                40002
#define ID_MENU_ABOUT               40003
#define ID_MENU_CLOSE               40004
#define ID_MENU_APPLY               40005
#define ID_MENU_HELP                40006

/* shell commands: floating toolbar, hot keys and notification menu */
#define ID_SEARCH_KEYWORD           32771
#define ID_SET_BOOKMARK             32772
#define ID_DOCUMENT_STRUCTURE       32774
#define ID_OPTIONS                  32775
#define ID_HIDE_RESTORE             32776
#define ID_SHOW_SEARCH_DIALOG       32779
#define ID_TOGGLE_MAIN_WINDOW       32780
#define ID_STARTUP_WITH_WINDOWS     32869
#define ID_QUIT                     32870

/* Beelines page toolbar and tree menu */
#define ID_BLANK_BUTTON             1    /* the disabled separators of the page toolbar */
#define ID_REFRESH_BEELINES         32778
#define ID_ADD_FOLDER               32968
#define ID_DELETE_NODE              32970
#define ID_ADD_BEELINE              32971
#define ID_ADD_PARAMETER            32973
#define ID_DELETE_PARAMETER         32974
#define ID_OPEN_BEELINE             32976  /* "Go to URL" on the toolbar */
#define ID_OPEN_BEELINE_NEW_WINDOW  32977

/* search dialog tree menu */
#define ID_SEARCH_WITH_BEELINE             32976
#define ID_SEARCH_WITH_BEELINE_NEW_WINDOW  32977

/* Bookmarks page menus */
#define ID_DELETE_POSITION          32975
#define ID_OPEN_BOOKMARK            32976  /* both open entries of the position menu */
#define ID_DELETE_BOOKMARK          32980

/* Structure page menus */
#define ID_OPEN_HREF                32976
#define ID_OPEN_HREF_NEW_WINDOW     32977
#define ID_OPEN_IMAGE               32978
#define ID_OPEN_IMAGE_NEW_WINDOW    32979

#endif
