// Version title and brand line. Resellers ship the program renamed (ORNIS_..., TERVO_...),
// and the file name alone decides whose brand line the about box shows.
#pragma once

#include <string>
#include <string_view>

enum class Brand { Maker, Ornis, Tervo };

// The application name followed by " V2.0".
std::wstring MakeVersionTitle(std::wstring_view appName);

// "ornis" anywhere in the title, letter case ignored, wins over "tervo"; else the maker.
Brand ChooseBrand(std::wstring_view versionTitle);

std::wstring_view BrandLine(Brand brand);
