#pragma once
// The five-character codes an item's file name writes for what a file name cannot hold (and a
// few more), in the order decoding applies them. Decoding (DecodageItem) and the studio's
// naming (core/studio/NommageItem) both read this one table.

struct CodeItem {
    const char* Code;   // "#apo#"
    char16_t Caractere; // what it stands for
};

// The order matters: it is the order teachers were told the codes are applied in.
inline constexpr CodeItem CodesItem[] = {
    {"#ast#", u'*'}, {"#int#", u'?'}, {"#sla#", u'/'},  {"#ant#", u'\\'}, {"#2po#", u':'},
    {"#gui#", u'"'}, {"#inf#", u'<'}, {"#sup#", u'>'},  {"#pip#", u'|'},  {"#liv#", u'£'},
    {"#exc#", u'!'}, {"#aro#", u'@'}, {"#apo#", u'\''},
};
