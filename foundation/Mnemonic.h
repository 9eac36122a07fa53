// The mnemonic of a caption: the character after the first '&' that is not doubled ("&&" is a
// literal '&'), upper-cased; 0 when there is none.
#pragma once

char MnemonicOf(const char* caption);
