// SPDX-License-Identifier: GPL-3.0-or-later
// One table of the shipped languages: the locale code that picks each, the name of its file
// in lang/, and its eight starter exercises. The language files themselves live in default/.
#include "app/starter_languages.h"

#include <array>
#include <cstdlib>

namespace {

struct StarterUnit {
    std::u16string_view name;
    std::u16string_view count1;
    std::u16string_view count2;
    std::u16string_view description;
};

using StarterUnits = std::array<StarterUnit, 8>;

// Every language lists the same exercises in the same order with the same counts:
// sets x repetitions (or seconds, or minutes, as the description says).
constexpr StarterUnits EnglishUnits = {{
    {u"Push-ups", u"3", u"15", u"Body in one straight line"},
    {u"Squats", u"3", u"20", u"Thighs down to parallel"},
    {u"Plank", u"3", u"60", u"Seconds, on the forearms"},
    {u"Running", u"1", u"30", u"Minutes, easy pace"},
    {u"Lunges", u"3", u"12", u"Each leg"},
    {u"Sit-ups", u"3", u"20", u"Slow and controlled"},
    {u"Pull-ups", u"3", u"8", u"Full range of motion"},
    {u"Burpees", u"3", u"10", u"With a jump at the top"},
}};

constexpr StarterUnits GermanUnits = {{
    {u"Liegestütze", u"3", u"15", u"Körper in einer geraden Linie"},
    {u"Kniebeugen", u"3", u"20", u"Oberschenkel bis waagerecht"},
    {u"Unterarmstütz", u"3", u"60", u"Sekunden, auf den Unterarmen"},
    {u"Laufen", u"1", u"30", u"Minuten, lockeres Tempo"},
    {u"Ausfallschritte", u"3", u"12", u"Je Bein"},
    {u"Sit-ups", u"3", u"20", u"Langsam und kontrolliert"},
    {u"Klimmzüge", u"3", u"8", u"Voller Bewegungsumfang"},
    {u"Burpees", u"3", u"10", u"Mit Strecksprung"},
}};

constexpr StarterUnits FrenchUnits = {{
    {u"Pompes", u"3", u"15", u"Corps en ligne droite"},
    {u"Squats", u"3", u"20", u"Cuisses à l’horizontale"},
    {u"Gainage", u"3", u"60", u"Secondes, sur les coudes"},
    {u"Course", u"1", u"30", u"Minutes, allure tranquille"},
    {u"Fentes", u"3", u"12", u"Pour chaque jambe"},
    {u"Relevés de buste", u"3", u"20", u"Sans à-coups"},
    {u"Tractions", u"3", u"8", u"Amplitude complète"},
    {u"Burpees", u"3", u"10", u"Avec un saut final"},
}};

constexpr StarterUnits SpanishUnits = {{
    {u"Flexiones", u"3", u"15", u"Cuerpo en línea recta"},
    {u"Sentadillas", u"3", u"20", u"Muslos en paralelo"},
    {u"Plancha", u"3", u"60", u"Segundos, en antebrazos"},
    {u"Correr", u"1", u"30", u"Minutos, ritmo suave"},
    {u"Zancadas", u"3", u"12", u"Con cada pierna"},
    {u"Abdominales", u"3", u"20", u"Sin tirones"},
    {u"Dominadas", u"3", u"8", u"Recorrido completo"},
    {u"Burpees", u"3", u"10", u"Con salto al final"},
}};

constexpr StarterUnits ItalianUnits = {{
    {u"Flessioni", u"3", u"15", u"Corpo in linea retta"},
    {u"Squat", u"3", u"20", u"Cosce parallele al suolo"},
    {u"Plank", u"3", u"60", u"Secondi, sugli avambracci"},
    {u"Corsa", u"1", u"30", u"Minuti, ritmo tranquillo"},
    {u"Affondi", u"3", u"12", u"Per ogni gamba"},
    {u"Sit-up", u"3", u"20", u"Lenti e controllati"},
    {u"Trazioni", u"3", u"8", u"Escursione completa"},
    {u"Burpee", u"3", u"10", u"Con salto finale"},
}};

// Brazilian Portuguese, as the language file is.
constexpr StarterUnits PortugueseUnits = {{
    {u"Flexões", u"3", u"15", u"Corpo em linha reta"},
    {u"Agachamentos", u"3", u"20", u"Até a paralela"},
    {u"Prancha", u"3", u"60", u"Segundos, nos cotovelos"},
    {u"Corrida", u"1", u"30", u"Minutos, ritmo leve"},
    {u"Afundos", u"3", u"12", u"Com cada perna"},
    {u"Abdominais", u"3", u"20", u"Lentos e controlados"},
    {u"Barra fixa", u"3", u"8", u"Amplitude completa"},
    {u"Burpees", u"3", u"10", u"Com salto no final"},
}};

constexpr StarterUnits DutchUnits = {{
    {u"Opdrukken", u"3", u"15", u"Lichaam in één lijn"},
    {u"Squats", u"3", u"20", u"Dijen tot horizontaal"},
    {u"Plank", u"3", u"60", u"Seconden, op de ellebogen"},
    {u"Hardlopen", u"1", u"30", u"Minuten, rustig tempo"},
    {u"Lunges", u"3", u"12", u"Per been"},
    {u"Sit-ups", u"3", u"20", u"Zonder schokken"},
    {u"Optrekken", u"3", u"8", u"Volledige beweging"},
    {u"Burpees", u"3", u"10", u"Met een sprong"},
}};

constexpr StarterUnits PolishUnits = {{
    {u"Pompki", u"3", u"15", u"Ciało w jednej linii"},
    {u"Przysiady", u"3", u"20", u"Uda do poziomu"},
    {u"Deska", u"3", u"60", u"Sekundy, na łokciach"},
    {u"Bieg", u"1", u"30", u"Minuty, spokojne tempo"},
    {u"Wykroki", u"3", u"12", u"Na każdą nogę"},
    {u"Brzuszki", u"3", u"20", u"Powoli i pod kontrolą"},
    {u"Podciąganie", u"3", u"8", u"Pełny zakres ruchu"},
    {u"Burpees", u"3", u"10", u"Z wyskokiem na końcu"},
}};

constexpr StarterUnits CzechUnits = {{
    {u"Kliky", u"3", u"15", u"Tělo v jedné přímce"},
    {u"Dřepy", u"3", u"20", u"Stehna vodorovně"},
    {u"Prkno", u"3", u"60", u"Sekundy, na předloktích"},
    {u"Běh", u"1", u"30", u"Minuty, volné tempo"},
    {u"Výpady", u"3", u"12", u"Na každou nohu"},
    {u"Sedy-lehy", u"3", u"20", u"Pomalu a kontrolovaně"},
    {u"Shyby", u"3", u"8", u"V plném rozsahu"},
    {u"Angličáky", u"3", u"10", u"S výskokem na konci"},
}};

constexpr StarterUnits SwedishUnits = {{
    {u"Armhävningar", u"3", u"15", u"Rak kropp"},
    {u"Knäböj", u"3", u"20", u"Låren ner till parallellt"},
    {u"Planka", u"3", u"60", u"Sekunder, på armbågarna"},
    {u"Löpning", u"1", u"30", u"Minuter, lugnt tempo"},
    {u"Utfall", u"3", u"12", u"Varje ben"},
    {u"Situps", u"3", u"20", u"Långsamt och kontrollerat"},
    {u"Chins", u"3", u"8", u"Fullt rörelseomfång"},
    {u"Burpees", u"3", u"10", u"Med upphopp"},
}};

struct StarterLanguage {
    std::string_view localeCode;  // the language part of a POSIX locale name
    std::u16string_view file;     // lang/<file>.txt, the value of Language in ini.ini
    const StarterUnits& units;
};

// English first: it is the language of every locale the table does not name.
constexpr StarterLanguage Languages[] = {
    {"en", u"English", EnglishUnits},  {"de", u"Deutsch", GermanUnits},
    {"fr", u"Francais", FrenchUnits},  {"es", u"Espanol", SpanishUnits},
    {"it", u"Italiano", ItalianUnits}, {"pt", u"Portugues", PortugueseUnits},
    {"nl", u"Nederlands", DutchUnits}, {"pl", u"Polski", PolishUnits},
    {"cs", u"Cestina", CzechUnits},    {"sv", u"Svenska", SwedishUnits},
};

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

// "pt_BR.UTF-8@euro" -> "pt": a whole code, so that a three-letter code such as "csb"
// never counts as the two-letter one it begins with.
std::string_view LanguagePart(std::string_view locale) {
    return locale.substr(0, locale.find_first_of("_.@"));
}

}  // namespace

std::u16string LanguageForLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    // LC_ALL overrides LC_MESSAGES, which overrides LANG, as for every other program.
    const char* locale = "";
    for (const char* value : {lang, lcMessages, lcAll}) {
        if (IsSet(value)) locale = value;
    }
    const std::string_view code = LanguagePart(locale);
    for (const StarterLanguage& language : Languages) {
        if (language.localeCode == code) return std::u16string(language.file);
    }
    return std::u16string(Languages[0].file);
}

std::u16string LanguageFromEnvironment() {
    return LanguageForLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                             std::getenv("LANG"));
}

std::vector<std::u16string> StarterUnitLines(std::u16string_view language) {
    const StarterUnits* units = &Languages[0].units;
    for (const StarterLanguage& entry : Languages) {
        if (entry.file == language) units = &entry.units;
    }
    std::vector<std::u16string> lines;
    for (const StarterUnit& unit : *units) {
        std::u16string line(unit.name);
        for (std::u16string_view field : {unit.count1, unit.count2, unit.description}) {
            line += u'|';
            line += field;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}
