// imgtool: lets skin makers check their art with the launcher's own decoders.
//
//   imgtool info   [--type auto|bmp|tga|button] FILE          WIDTHxHEIGHT bpp=N alpha=yes|no
//   imgtool decode [--type auto|bmp|tga|button] FILE OUT.pam  the decoded picture as PAM
#pragma once

#include <ostream>

// Runs one command line (argv[0] is the program). Exit status: 0 done, 1 the image could not be
// decoded or written (the reason goes to `err`), 2 the command line is wrong.
int RunImgtool(int argc, const char* const argv[], std::ostream& out, std::ostream& err);
