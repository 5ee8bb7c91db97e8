#!/usr/bin/env bash
# Usage: baseline-instructions.sh [--fused-only FUNCTION-PATTERN] OBJDUMP BINARY...
#
# The plug-in has to load and run on every x86-64 processor, so only the cascade's four- and
# eight-lane kernels, which run after a check of the processor, may contain instructions beyond
# the baseline set; and the DSP's arithmetic is exact, so no function may contain a fused
# multiply-add, which rounds once where the code rounds twice, not even those kernels (the
# AVX-512 one is built for a target that has FMA). This disassembles each binary and fails when
# any other function contains a VEX- or EVEX-encoded instruction (AVX, AVX2, AVX-512, and the
# bit-manipulation and mask-register instructions encoded the same way), when any function
# contains a fused multiply-add (FMA3 or FMA4, any width), and when either kernel is missing or
# shows no VEX or EVEX instruction, which would mean that the check no longer sees what it is
# looking for.
#
# With --fused-only, for a program compiled with FMA enabled throughout (where the framework's
# code may fuse as it likes), only the fused multiply-adds of the functions whose demangled name
# matches FUNCTION-PATTERN (an extended regular expression) count; the kernels still have to be
# there, and the pattern has to match some function.
set -euo pipefail

scope=""
if [[ "${1:-}" == "--fused-only" ]]; then
  scope="$2"
  shift 2
fi

objdump="$1"
shift

status=0

for binary in "$@"; do
  # Compiler clones of a kernel ("[clone .cold]" and the like) count as the kernel.
  report="$("$objdump" -d --no-show-raw-insn -C "$binary" | scope="$scope" awk '
    BEGIN {
      kernel["orvane_dsp::cascade_lanes4::runPass(orvane_dsp::cascade_detail::Pass&)"] = 0
      kernel["orvane_dsp::cascade_lanes8::runPass(orvane_dsp::cascade_detail::Pass&)"] = 0

      split("lock rep repe repz repne repnz notrack bnd data16 data32 addr32 cs ds es fs gs ss xacquire xrelease", p, " ")
      for (i in p)
        prefix[p[i]] = 1

      scope = ENVIRON["scope"]
      fusedOnly = scope != ""
    }

    function vexEncoded(m) {
      # The few legacy instructions whose names start with v: segment verification, and the
      # VMX and SVM virtualisation instructions.
      if (m ~ /^(verr|verw|vm(call|clear|func|launch|load|mcall|ptrld|ptrst|read|resume|run|save|write|xoff|xon))[lwq]?$/)
        return 0

      return m ~ /^v/ \
          || m ~ /^k(add|and|andn|mov|not|or|ortest|shiftl|shiftr|test|unpck|xnor|xor)(b|w|d|q|bw|wd|dq)$/ \
          || m ~ /^(andn|bextr|blsi|blsmsk|blsr|bzhi|mulx|pdep|pext|rorx|sarx|shlx|shrx)[lq]?$/
    }

    # FMA3 (vfmadd132pd and the like, VEX or EVEX), FMA4 (vfmaddpd), with alternating signs
    # (vfmaddsub, vfmsubadd), negated (vfnmadd, vfnmsub), complex (vfmaddcph, vfcmaddcph) and
    # the four-iteration AVX-512 forms (v4fmaddps, v4fnmaddps).
    function fusedMultiplyAdd(m) {
      return m ~ /^(vfn?m(add|sub)|vfcmadd|v4fn?madd)/
    }

    function remember(list, f, instruction) {
      if (f in list)
        return 0

      list[f] = substr(instruction, index(instruction, "\t") + 1)
      sub(/ +/, " ", list[f])
      sub(/ +#.*$/, "", list[f])
      return 1
    }

    function listFunctions(title, count, example, n,    f) {
      print title " (how many, where, the first one):"
      fflush()
      sorted = "sort -rn | head -n 50"
      for (f in count)
        print count[f] "\t" f "\t" example[f] | sorted
      close(sorted)

      if (n > 50)
        print "... and " (n - 50) " more functions"
    }

    # A function: "0000000000123450 <name>:"
    /^[0-9a-f]+ <.*>:$/ {
      name = substr($0, index($0, "<") + 1)
      name = substr(name, 1, length(name) - 2)
      base = name
      sub(/( \[clone [^]]*\])+$/, "", base)
      inKernel = base in kernel
      inScope = ! fusedOnly || name ~ scope
      scoped += inScope
      next
    }

    # An instruction: "  123456:<tab>mnemonic operands", possibly after prefixes, among them
    # the {vex} or {evex} that marks an encoding the mnemonic leaves open.
    /^ *[0-9a-f]+:\t/ {
      n = split(substr($0, index($0, "\t") + 1), word, " ")
      marked = 0
      i = 1
      while (i < n && (word[i] in prefix || word[i] ~ /^(rex|\{)/))
        marked = marked || word[i++] ~ /^\{(vex|vex2|vex3|evex)\}$/

      if (inScope && fusedMultiplyAdd(word[i]))
      {
        fusing += remember(fusedExample, name, $0)
        ++fused[name]
      }

      if (! marked && ! vexEncoded(word[i]))
        next

      if (inKernel)
        ++kernel[base]
      else if (! fusedOnly)
      {
        offenders += remember(example, name, $0)
        ++count[name]
      }
    }

    END {
      failed = 0

      for (k in kernel)
        if (kernel[k] == 0)
        {
          print "missing, or without any VEX or EVEX instruction: " k
          failed = 1
        }

      if (scoped == 0)
      {
        print "no function matches " scope
        failed = 1
      }

      if (offenders > 0)
      {
        listFunctions("instructions beyond the x86-64 baseline", count, example, offenders)
        failed = 1
      }

      if (fusing > 0)
      {
        listFunctions("fused multiply-adds", fused, fusedExample, fusing)
        failed = 1
      }

      exit failed
    }')" || {
    status=1
    echo "$binary:"
    echo "$report"
    continue
  }

  if [[ -n "$scope" ]]; then
    echo "$binary: no fused multiply-add in the functions matching $scope"
  else
    echo "$binary: baseline instructions only, outside the cascade's wide kernels; no fused multiply-add"
  fi
done

exit "$status"
