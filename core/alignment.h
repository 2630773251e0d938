// Horizontal alignment of text in a control or a field's column.
#pragma once

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
