;; dape: REXX macros through ostra-dap (on PATH).
(with-eval-after-load 'dape
  (add-to-list 'dape-configs
               '(ostra-dap
                 modes (rexx-mode)
                 command "ostra-dap"
                 command-args ("--stdio")
                 :type "rexx"
                 :request "launch"
                 :program dape-buffer-default
                 :cwd dape-cwd
                 :stopOnEntry t)))
