#include "platform/layout.h"

#include <stdexcept>
#include <string>

namespace kw::gui {

const Place& placeOf(std::span<const Place> places, std::string_view name) {
    for (const Place& place : places) {
        if (place.name == name) {
            return place;
        }
    }
    throw std::out_of_range("no place for control " + std::string(name));
}

QRect calculatorRect(const Place& place) {
    return {twipsToPixels(place.left), twipsToPixels(place.top), twipsToPixels(place.width),
            twipsToPixels(place.height)};
}

}  // namespace kw::gui
