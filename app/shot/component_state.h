// Each component's entry in the driver's state file, built by writers registered per class:
// a component gets the entries of its class's writers and of every ancestor's, base first, so
// a class added later only registers what it adds.
#pragma once

#include <functional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "app/shot/json.h"
#include "core/component.h"
#include "core/sysutils.h"
#include "graphics/font.h"
#include "platform/codepage.h"

namespace shot {

class StateRegistry {
 public:
  using Writer = std::function<void(TComponent&, Json&)>;

  // Registers the entries of class T (a registered streamable class).
  template <class T>
  void Add(std::function<void(T&, Json&)> writer) {
    writers_.emplace_back(typeid(T), [writer = std::move(writer)](TComponent& c, Json& entry) {
      writer(static_cast<T&>(c), entry);
    });
  }

  // The entry of one component: "name" and "class", then what its classes add.
  Json Entry(TComponent& component) const;
  // The entries of every component the root owns, in the owner's order (the stored order).
  Json Entries(const TComponent& root) const;

 private:
  std::vector<std::pair<std::type_index, Writer>> writers_;
};

// Single-byte program text as UTF-8 for the state file.
inline std::string Utf8(const AnsiString& text) {
  return platform::AnsiToUtf8(text);
}

// The entries of the data layer: datasets, ADO queries, data sources.
void AddDataEntries(StateRegistry& registry);
// The entries of controls: parent, visibility, bounds, font, colour, cursor, captions, and the
// place of images.
void AddControlEntries(StateRegistry& registry);
// The entries of grids: current and top row, row count, and a data grid's cell texts.
void AddGridEntries(StateRegistry& registry);
// The entries of the find dialogs (findText, options, open) and the font dialogs (font).
void AddDialogEntries(StateRegistry& registry);

// A font as the entries give it: name, height, size, color, charset and style.
Json FontEntry(const TFont& font);

}  // namespace shot
