// Text edited in the system code page turned back into the wide text the provider stores,
// without changing what the user did not touch.
#pragma once

#include <string>
#include <string_view>

// `before` is the field's value as it is stored; `edited` the whole new text in the system code
// page (1256). The result is the value to store.
//
// Code page 1256 cannot hold every character of stored text: Farsi yeh U+06CC, Persian digits
// and a few marks are shown through their best fit (0xED, ASCII digits, nothing). Converting the
// whole edited text back would rewrite every such character of the record, also where the user
// changed nothing. So the bytes the edit kept (found by a shortest edit script between the code
// page form of `before` and `edited`) keep the characters they were made from, exactly as
// stored; only the bytes the edit put in are converted. Among those the code page's one yeh,
// 0xED, becomes the yeh the text already uses (Farsi yeh when `before` holds one, Arabic yeh when
// it holds only that) and otherwise the yeh the user saw on the screen: Farsi yeh under the
// Persian display mapping, Arabic yeh elsewhere. Unchanged text gives `before` back as it is.
// Text stored with bare LF line breaks keeps them, though a memo shows them as CR LF.
std::u16string MergeEditedText(std::u16string_view before, std::string_view edited);
