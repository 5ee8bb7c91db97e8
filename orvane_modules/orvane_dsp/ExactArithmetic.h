#pragma once

/*  The filters' arithmetic is specified operation by operation (which steps are float, which
    double, in which order), and the cascade is held to the plain filter loop bit for bit. A
    compiler that contracts a multiply and an add into a fused multiply-add rounds once where the
    code rounds twice, so the DSP code sits between ORVANE_EXACT_ARITHMETIC_BEGIN and
    ORVANE_EXACT_ARITHMETIC_END, which turn contraction off for everything defined in between
    (functions with target and always_inline attributes, and templates instantiated after the
    region, included), whatever the project that builds the module passes on its command line:

    - GCC compiles the region's functions with -ffp-contract=off. It does not inline a function
      whose optimisation options differ from its caller's, so in a project built with other
      options, calls from outside the region to small SVFilter members stay calls; with
      -ffp-contract=off on the command line the options agree and the code is the same as
      without the region.
    - Clang does not contract the region's expressions, and restores the setting from before the
      region after it (where clang 14 ignores float_control, on targets without strict
      floating-point support such as ARM64, the command line's setting instead). Clang's
      -ffp-contract=fast fuses whatever the pragmas say, and nothing here can tell that it was
      given: a project that builds the module with clang must not pass it (clang's default, on,
      is fine).

    Fast-math cannot be undone here at all; orvane_modules.cpp refuses to be built with it.
*/

#if defined (__clang__)
 #define ORVANE_EXACT_ARITHMETIC_BEGIN \
    _Pragma ("clang diagnostic push") \
    _Pragma ("clang diagnostic ignored \"-Wignored-pragmas\"") \
    _Pragma ("float_control (push)") \
    _Pragma ("clang diagnostic pop") \
    _Pragma ("STDC FP_CONTRACT OFF")

 #define ORVANE_EXACT_ARITHMETIC_END \
    _Pragma ("STDC FP_CONTRACT DEFAULT") \
    _Pragma ("clang diagnostic push") \
    _Pragma ("clang diagnostic ignored \"-Wignored-pragmas\"") \
    _Pragma ("float_control (pop)") \
    _Pragma ("clang diagnostic pop")
#elif defined (__GNUC__)
 #define ORVANE_EXACT_ARITHMETIC_BEGIN \
    _Pragma ("GCC push_options") \
    _Pragma ("GCC optimize (\"fp-contract=off\")")

 #define ORVANE_EXACT_ARITHMETIC_END \
    _Pragma ("GCC pop_options")
#else
 #define ORVANE_EXACT_ARITHMETIC_BEGIN
 #define ORVANE_EXACT_ARITHMETIC_END
#endif
