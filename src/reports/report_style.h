// SPDX-License-Identifier: GPL-3.0-or-later
// The report's style sheet (screen and print), kept apart from the page it styles.
#pragma once

// CSS text without "<" or "&", so it can stand inside <style> of an XML-compatible page.
extern const char ReportStyle[];
