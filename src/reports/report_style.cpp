// SPDX-License-Identifier: GPL-3.0-or-later
// One inline style sheet for the report: a calm page of at most 1100 px on screen, A4 with
// charts and weeks kept whole on paper, and the unit colours printed as they are.
#include "reports/report_style.h"

const char ReportStyle[] = R"css(
:root{--ink:#1f2933;--muted:#616e7c;--line:#d9dee4;--panel:#f3f5f8;--accent:#2f5d8a}
*{box-sizing:border-box}
html{background:#fff}
body{margin:0;color:var(--ink);font:15px/1.45 "DejaVu Sans","Segoe UI",system-ui,-apple-system,Roboto,Arial,sans-serif}
main{max-width:1100px;margin:0 auto;padding:28px 32px 48px}
header{border-bottom:3px solid var(--accent);padding-bottom:14px}
h1{font-size:28px;line-height:1.2;margin:0 0 6px;color:var(--accent)}
h2{font-size:19px;margin:34px 0 6px}
h3{font-size:14px;margin:0 0 2px;overflow-wrap:anywhere}
p{margin:0}
.meta,.note{color:var(--muted)}
.note{font-size:13px;margin-bottom:12px}
.totals{display:grid;grid-template-columns:repeat(auto-fit,minmax(150px,1fr));gap:12px;margin:18px 0 0}
.totals div{background:var(--panel);border-radius:8px;padding:10px 14px}
.totals dt{font-size:12px;color:var(--muted);text-transform:uppercase;letter-spacing:.04em}
.totals dd{margin:2px 0 0;font-size:22px;font-weight:700;overflow-wrap:anywhere}
figure{margin:0}
svg.chart{display:block;width:100%;height:auto}
svg .tick{font-size:13px;fill:#616e7c}
svg.spark{margin:4px 0 2px}
svg.spark .tick{font-size:12px}
svg .grid{stroke:#e4e7eb;stroke-width:1}
svg .axis{stroke:#9aa5b1;stroke-width:1}
.legend{display:flex;flex-wrap:wrap;gap:6px 20px;list-style:none;margin:10px 0 0;padding:0;font-size:13px}
.legend li{display:flex;align-items:center;gap:6px;overflow-wrap:anywhere}
.swatch{display:inline-block;width:12px;height:12px;border-radius:3px;flex:none}
.units{display:grid;grid-template-columns:repeat(auto-fill,minmax(240px,1fr));gap:14px}
.unit{border:1px solid var(--line);border-radius:8px;padding:10px 12px 8px}
.unit h3 .swatch{margin-right:6px;vertical-align:-1px}
.unit figcaption{font-size:12px;color:var(--muted)}
table{width:100%;border-collapse:collapse;table-layout:fixed;font-size:12.5px}
th,td{border:1px solid var(--line);padding:5px 6px;vertical-align:top;text-align:left;overflow-wrap:anywhere}
thead th{background:var(--panel);font-size:12px;overflow-wrap:normal}
tbody th{font-weight:600;white-space:nowrap}
tbody th span{display:block;font-weight:400;color:var(--muted);font-size:11.5px}
col.week{width:13%}
.entry{margin:0 0 5px}
.entry:last-child{margin-bottom:0}
.count{color:var(--muted);white-space:nowrap}
.desc{color:var(--muted);font-size:11.5px}
.empty{color:var(--muted);font-style:italic}
*{-webkit-print-color-adjust:exact;print-color-adjust:exact}
@page{size:A4;margin:14mm}
@media print{
body{font-size:10.5pt}
main{max-width:none;padding:0}
header{border-bottom-width:2px}
h2{break-after:avoid;margin-top:22px}
figure,.unit,tr,.totals{break-inside:avoid}
thead{display:table-header-group}
table{font-size:8.5pt}
thead th{font-size:8pt}
.totals{grid-template-columns:repeat(5,1fr)}
.totals dd{font-size:15pt}
.units{grid-template-columns:repeat(4,1fr);gap:8px}
}
)css";
