// SPDX-License-Identifier: GPL-3.0-or-later
// The table of accessible names of the main window's controls and the rule that builds each
// name from the text table. Which label stands beside which field follows the window table
// (main_window.cpp); how a toolkit shows the names is the back ends' business.
#include "app/accessible_names.h"

#include "app/main_window.h"
#include "text/text_helpers.h"
#include "text/messages.h"

namespace {

struct AccessibleSpec {
    int id;
    // Named by a text of group Access, or else by the texts of these labels, one blank
    // between them; the last of them is the one that stands beside the control.
    const char16_t* key;
    int labels[2];
};

constexpr int None = -1;

// clang-format off
constexpr AccessibleSpec AccessibleSpecs[] = {
    {PlanPanel,        u"PlanPanel",    {None, None}},
    {EntryList,        u"EntryList",    {None, None}},
    {WeekCombo,        u"WeekCombo",    {None, None}},
    {DayCombo,         u"DayCombo",     {None, None}},
    {EditPanel,        u"EditPanel",    {None, None}},
    {UnitCombo,        u"UnitCombo",    {None, None}},
    {Count1Field,      nullptr,         {CountLabel, None}},
    // "Count: x": the second factor, after the "x" that stands between the two fields.
    {Count2Field,      nullptr,         {CountLabel, TimesLabel}},
    {NameField,        nullptr,         {NameLabel, None}},
    {DescriptionField, nullptr,         {DescriptionLabel, None}},
    {SmallPicture,     u"SmallPicture", {None, None}},
    {BigPicture,       u"BigPicture",   {None, None}},
};
// clang-format on

const AccessibleSpec* AccessibleSpecOf(int id) {
    for (const AccessibleSpec& spec : AccessibleSpecs) {
        if (spec.id == id) return &spec;
    }
    return nullptr;
}

// A label's text as the window shows it, without the blanks around it, so that the parts of
// a name are joined by exactly one blank.
std::u16string LabelText(const TextTable& texts, int labelId) {
    const ControlSpec* label = ControlSpecOf(labelId);
    if (label == nullptr) return {};
    return std::u16string(TrimSpaces(InitialTextOf(texts, *label)));
}

}  // namespace

AccessibleText AccessibleTextOf(const TextTable& texts, int id) {
    AccessibleText text;
    const AccessibleSpec* spec = AccessibleSpecOf(id);
    if (spec == nullptr) return text;
    if (spec->key != nullptr) text.name = LookupText(texts, u"Access", spec->key);
    for (int label : spec->labels) {
        if (label == None) continue;
        text.labelId = label;
        const std::u16string part = LabelText(texts, label);
        if (part.empty()) continue;
        if (!text.name.empty()) text.name += u' ';
        text.name += part;
    }
    const ControlSpec* control = ControlSpecOf(id);
    if (control != nullptr && control->kind == ControlKind::Picture) {
        text.description = PictureTooltip(texts, id);
    }
    return text;
}

void NameControls(ProgramState& state) {
    for (const AccessibleSpec& spec : AccessibleSpecs) {
        state.ui.SetAccessibleText(spec.id, AccessibleTextOf(state.texts, spec.id));
    }
}
