// Resource names of the skin pictures (RCDATA). Shared by the resource script and SkinImageBytes, so it holds
// nothing but #defines that windres understands.
#pragma once

#define IDR_HELP_GLYPH_PNG 201
#define IDR_MENU_GLYPH_PNG 202
#define IDR_MINIMIZE_GLYPH_PNG 203
#define IDR_MAXIMIZE_GLYPH_PNG 204
#define IDR_RESTORE_GLYPH_PNG 205
#define IDR_CLOSE_GLYPH_PNG 206
#define IDR_CHECKBOX_EMPTY_PNG 207
#define IDR_CHECKBOX_CHECKED_PNG 208
#define IDR_ARROW_DOWN_PNG 209
#define IDR_ARROW_UP_PNG 210
#define IDR_ARROW_LEFT_PNG 211
#define IDR_ARROW_RIGHT_PNG 212
#define IDR_WOOD_PNG 213
#define IDR_PROMOTION_JPG 214
