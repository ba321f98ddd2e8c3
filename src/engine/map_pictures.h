// The fourteen map pictures shipped in the product cabinet, in manifest
// order. The cabinet stores them under exactly these names.
#pragma once

#include <array>
#include <string_view>

namespace lyn {

inline constexpr std::array<std::string_view, 14> kMapPictures{
    "Map01_Harbour.jpg",   "Map02_OldTown.jpg",      "Map03_Riverside.jpg",
    "Map04_NorthQuay.jpg", "Map05_MarketSquare.jpg", "Map06_Lighthouse.jpg",
    "Map07_Millbrook.jpg", "Map08_StationRoad.jpg",  "Map09_CastleHill.jpg",
    "Map10_Docklands.jpg", "Map11_Parkside.jpg",     "Map12_Westgate.jpg",
    "Map13_Fenland.jpg",   "Map14_Overview.jpg",
};

}  // namespace lyn
