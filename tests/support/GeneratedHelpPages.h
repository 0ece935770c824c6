#pragma once

// Help pages that freeze or crash Qt's text browser when shown as they are: minutes of layout, a
// stack overflow, seconds of reading missing pictures, a gigabyte of memory.
#include <QByteArray>

#include <vector>

struct GeneratedPage {
    const char* what;
    QByteArray html;
    const char* textReason; // part of the reason the text check gives
};

inline QByteArray Repeated(const QByteArray& part, int times) {
    return part.repeated(times);
}

inline std::vector<GeneratedPage> OverTheBounds() {
    const auto page = [](const QByteArray& body) {
        return "<html><head><title>Generated</title></head><body>" + body + "</body></html>";
    };
    QByteArray pictures;
    for (int i = 0; i < 3000; ++i)
        pictures += "<img src=\"missing" + QByteArray::number(i) + ".png\">";
    QByteArray rules = "<style>";
    for (int i = 0; i < 300; ++i)
        rules += "p.c" + QByteArray::number(i) + " { color: red }\n";
    return {
        {"tables nested 24 deep", // over a minute
         page(Repeated("<table><tr><td>", 24) + "x" + Repeated("</td></tr></table>", 24)),
         "nested more than 64 deep"},
        {"tables nested 3000 deep", // a stack overflow
         page(Repeated("<table><tr><td>", 3000) + "x" + Repeated("</td></tr></table>", 3000)),
         "nested more than 64 deep"},
        {"lists nested 3000 deep",
         page(Repeated("<ul><li>", 3000) + "x" + Repeated("</li></ul>", 3000)),
         "nested more than 64 deep"},
        {"3000 missing pictures", page(pictures), "more than 100 pictures"},
        {"a page of 12 MiB",
         page(Repeated("<p>Lorem ipsum dolor sit amet, consectetur.</p>\n", 250000)),
         "longer than 256 KiB"},
        {"24000 tags", page(Repeated("<b>x</b>", 12000)), "more than 20000 tags"},
        {"a table of 1000 x 1000 cells",
         page("<table><tr>" + Repeated("<td>x", 1000) + Repeated("<tr><td>y", 1000) + "</table>"),
         "more than 20000 cells"},
        {"rows spanning 20480 columns",
         page("<table>" + Repeated("<tr><td colspan=20480>x</td></tr>", 100) + "</table>"),
         "more than 20000 cells"},
        {"cells reaching down 100000 rows",
         page("<table>" + Repeated("<tr><td rowspan=100000>y", 500) + "</table>"),
         "more than 20000 cells"},
        {"300 style rules", page(rules + "</style><p>x</p>"), "more than 200 rules"},
    };
}
