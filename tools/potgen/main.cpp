// potgen FILE.pot: writes the gettext template of every text the library has translated.
#include <iostream>
#include <string>
#include <vector>

#include "tools/potgen/MessageTemplate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: potgen FILE.pot\n";
        return 2;
    }
    std::vector<potgen::TemplateEntry> entries;
    std::string error;
    if (!potgen::BuildTemplate(entries, error) || !potgen::WriteTemplate(entries, argv[1], error)) {
        std::cerr << "potgen: " << error << '\n';
        return 1;
    }
    return 0;
}
