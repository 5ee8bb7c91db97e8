#!/usr/bin/env bash
# Usage: baseline-instructions.sh OBJDUMP BINARY...
#
# The plug-in has to load and run on every x86-64 processor, so only the cascade's four- and
# eight-lane kernels, which run after a check of the processor, may contain instructions beyond
# the baseline set. This disassembles each binary and fails when any other function contains a
# VEX- or EVEX-encoded instruction (AVX, AVX2, AVX-512, and the bit-manipulation and mask-register
# instructions encoded the same way), and when either kernel is missing or shows none, which
# would mean that the check no longer sees what it is looking for.
set -euo pipefail

objdump="$1"
shift

status=0

for binary in "$@"; do
  # Compiler clones of a kernel ("[clone .cold]" and the like) count as the kernel.
  report="$("$objdump" -d --no-show-raw-insn -C "$binary" | awk '
    BEGIN {
      kernel["orvane_dsp::cascade_lanes4::runPass(orvane_dsp::cascade_detail::Pass&)"] = 0
      kernel["orvane_dsp::cascade_lanes8::runPass(orvane_dsp::cascade_detail::Pass&)"] = 0

      split("lock rep repe repz repne repnz notrack bnd data16 data32 addr32 cs ds es fs gs ss xacquire xrelease", p, " ")
      for (i in p)
        prefix[p[i]] = 1
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

    # A function: "0000000000123450 <name>:"
    /^[0-9a-f]+ <.*>:$/ {
      name = substr($0, index($0, "<") + 1)
      name = substr(name, 1, length(name) - 2)
      base = name
      sub(/( \[clone [^]]*\])+$/, "", base)
      inKernel = base in kernel
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

      if (! marked && ! vexEncoded(word[i]))
        next

      if (inKernel)
        ++kernel[base]
      else if (! (name in count))
      {
        ++offenders
        count[name] = 1
        example[name] = substr($0, index($0, "\t") + 1)
        sub(/ +/, " ", example[name])
        sub(/ +#.*$/, "", example[name])
      }
      else
        ++count[name]
    }

    END {
      failed = 0

      for (k in kernel)
        if (kernel[k] == 0)
        {
          print "missing, or without any VEX or EVEX instruction: " k
          failed = 1
        }

      if (offenders > 0)
      {
        print "instructions beyond the x86-64 baseline (how many, where, the first one):"
        fflush()
        sorted = "sort -rn | head -n 50"
        for (f in count)
          print count[f] "\t" f "\t" example[f] | sorted
        close(sorted)

        if (offenders > 50)
          print "... and " (offenders - 50) " more functions"

        failed = 1
      }

      exit failed
    }')" || {
    status=1
    echo "$binary:"
    echo "$report"
    continue
  }

  echo "$binary: baseline instructions only, outside the cascade's wide kernels"
done

exit "$status"
